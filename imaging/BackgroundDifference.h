#pragma once

// How far, 0 to 255, a pixel may differ from the background and still count
// as unchanged.
extern int Threshold;

// Computes ResultImage, 320 x 240 at 24 bits, from CurrentImage and
// BackgroundImage, row 0 first: a pixel whose first byte differs from the
// background's by more than Threshold is black; any other pixel takes the
// background's value. Raises Exception at the first row an input lacks (the
// rows before it are already written) or before row 0 when an input is
// narrower than 320 pixels.
void DetectObjects();
