#pragma once

#include "Button.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"
#include "ScrollBar.h"
#include "Timer.h"

#include <string>

// The program's only window: the live view, three image views, six buttons,
// the threshold bar and the grab timer. Its controls are built from the form
// description in Unit1.cpp; its handlers drive the capture, the image buffers
// and the detection.
class TForm1 : public TForm {
public:
    TForm1();
    std::string ClassName() const override { return "TForm1"; }

    // The controls, in the order the form makes them.
    TLabel* Label1 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TImage* Image3 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TLabel* Label2 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button6 = nullptr;
    TScrollBar* ScrollBar1 = nullptr;
    TButton* Button1 = nullptr;
    TTimer* Timer1 = nullptr;

    // Starts the camera in Panel1, or stops it; the caption tells which.
    void Button2Click(TObject* sender);
    // Opens the driver's format dialog.
    void Button1Click(TObject* sender);
    // Takes the waiting frame as the background and shows it in Image1.
    void Button3Click(TObject* sender);
    // Takes the waiting frame as the current image and shows it in Image3.
    void Timer1Timer(TObject* sender);
    // Computes the background difference and shows it in Image2.
    void Button5Click(TObject* sender);
    // The threshold follows the bar.
    void ScrollBar1Change(TObject* sender);
    // Stops the camera and closes the window.
    void Button6Click(TObject* sender);
};

extern TForm1* Form1;
