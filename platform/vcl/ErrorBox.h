#pragma once

#include <string>

class QMessageBox;

// Error message boxes: critical icon, the application's title, `message` as
// text. Without a widget application the message goes to standard error.

// Shows the box and returns when the user closed it. Timers and other events
// go on while it is open.
void ShowErrorBox(const std::string& message);

// Opens the box, modal to the whole application, and returns at once; the
// box deletes itself when closed. nullptr when no box could be opened.
QMessageBox* OpenErrorBox(const std::string& message);
