#include "Unit1.h"

#include "BackgroundDifference.h"
#include "CaptureControl.h"
#include "Exception.h"
#include "ImageBuffers.h"

#include <array>

TForm1* Form1 = nullptr;

namespace {

enum class ControlClass { Label, Image, Panel, Button, ScrollBar, Timer };

using Handler = void (TForm1::*)(TObject* sender);

// One control of the form. Places are in pixels in the client area; a tab
// order of -1 means the control has none. The timer has no place.
struct ControlDescription {
    const char* name;
    ControlClass kind;
    int left, top, width, height;
    const char* caption;
    int tabOrder;
    Handler event;
};

// The form description, in creation order.
constexpr std::array<ControlDescription, 18> kControls = {{
    {"Label1", ControlClass::Label, 16, 0, 48, 13, "原始影像", -1, nullptr},
    {"Image1", ControlClass::Image, 264, 24, 233, 193, "", -1, nullptr},
    {"Image2", ControlClass::Image, 512, 24, 225, 193, "", -1, nullptr},
    {"Label3", ControlClass::Label, 512, 8, 74, 13, "物體l邊緣偵測", -1, nullptr},
    {"Label4", ControlClass::Label, 152, 368, 69, 13, "0               255", -1, nullptr},
    {"Image3", ControlClass::Image, 264, 256, 233, 233, "", -1, nullptr},
    {"Label15", ControlClass::Label, 272, 232, 3, 13, "", -1, nullptr},
    {"Label16", ControlClass::Label, 264, 232, 96, 13, "轉換灰階原始影像", -1, nullptr},
    {"Label2", ControlClass::Label, 264, 0, 60, 13, "背景二值化", -1, nullptr},
    {"Panel1", ControlClass::Panel, 16, 24, 233, 193, "Panel1", 0, nullptr},
    {"Button2", ControlClass::Button, 16, 232, 113, 33, "啟動攝影機", 1, &TForm1::Button2Click},
    {"Button3", ControlClass::Button, 16, 280, 65, 33, "設定背景", 2, &TForm1::Button3Click},
    {"Button4", ControlClass::Button, 104, 280, 65, 33, "重新", 3, nullptr},
    {"Button5", ControlClass::Button, 192, 280, 57, 33, "開始", 4, &TForm1::Button5Click},
    {"Button6", ControlClass::Button, 16, 344, 65, 33, "結束", 5, &TForm1::Button6Click},
    {"ScrollBar1", ControlClass::ScrollBar, 126, 344, 113, 17, "", 6, &TForm1::ScrollBar1Change},
    {"Button1", ControlClass::Button, 152, 232, 97, 33, "設定攝影機", 7, &TForm1::Button1Click},
    {"Timer1", ControlClass::Timer, 0, 0, 0, 0, "", -1, &TForm1::Timer1Timer},
}};

constexpr const char* kCameraOff = "啟動攝影機";
constexpr const char* kCameraOn = "關閉攝影機";

void Create(TForm1& form, const ControlDescription& d) {
    TControl* control = nullptr;
    switch (d.kind) {
    case ControlClass::Label: {
        auto* label = new TLabel(&form);
        label->SetCaption(d.caption);
        control = label;
        break;
    }
    case ControlClass::Image:
        control = new TImage(&form);
        break;
    case ControlClass::Panel: {
        auto* panel = new TPanel(&form);
        panel->SetCaption(d.caption);
        control = panel;
        break;
    }
    case ControlClass::Button: {
        auto* button = new TButton(&form);
        button->SetCaption(d.caption);
        control = button;
        break;
    }
    case ControlClass::ScrollBar:
        control = new TScrollBar(&form);
        break;
    case ControlClass::Timer: {
        auto* timer = new TTimer(&form);
        timer->SetName(d.name);
        return;
    }
    }
    control->SetName(d.name);
    control->SetBounds(d.left, d.top, d.width, d.height);
    if (d.tabOrder >= 0) dynamic_cast<TWinControl&>(*control).SetTabOrder(d.tabOrder);
}

void Bind(TComponent& component, TNotifyEvent event) {
    if (auto* button = dynamic_cast<TButton*>(&component)) {
        button->OnClick = std::move(event);
    } else if (auto* bar = dynamic_cast<TScrollBar*>(&component)) {
        bar->OnChange = std::move(event);
    } else if (auto* timer = dynamic_cast<TTimer*>(&component)) {
        timer->OnTimer = std::move(event);
    } else {
        throw Exception("component " + component.Name() + " has no event to bind");
    }
}

template <class T>
T* Find(const TForm1& form, const char* name) {
    auto* component = dynamic_cast<T*>(form.FindComponent(name));
    if (component == nullptr) throw Exception(std::string("the form has no ") + name);
    return component;
}

}  // namespace

TForm1::TForm1() {
    SetName("Form1");
    SetCaption("Form1");
    SetBounds(214, 130, 795, 590);
    for (const ControlDescription& d : kControls) Create(*this, d);

    Label1 = Find<TLabel>(*this, "Label1");
    Image1 = Find<TImage>(*this, "Image1");
    Image2 = Find<TImage>(*this, "Image2");
    Label3 = Find<TLabel>(*this, "Label3");
    Label4 = Find<TLabel>(*this, "Label4");
    Image3 = Find<TImage>(*this, "Image3");
    Label15 = Find<TLabel>(*this, "Label15");
    Label16 = Find<TLabel>(*this, "Label16");
    Label2 = Find<TLabel>(*this, "Label2");
    Panel1 = Find<TPanel>(*this, "Panel1");
    Button2 = Find<TButton>(*this, "Button2");
    Button3 = Find<TButton>(*this, "Button3");
    Button4 = Find<TButton>(*this, "Button4");
    Button5 = Find<TButton>(*this, "Button5");
    Button6 = Find<TButton>(*this, "Button6");
    ScrollBar1 = Find<TScrollBar>(*this, "ScrollBar1");
    Button1 = Find<TButton>(*this, "Button1");
    Timer1 = Find<TTimer>(*this, "Timer1");

    ScrollBar1->SetParams(0, 0, 255);
    ScrollBar1->SetPageSize(0);
    ScrollBar1->SetSmallChange(1);
    ScrollBar1->SetLargeChange(1);
    Timer1->SetInterval(1000);
    Timer1->SetEnabled(true);

    // Events last, as the settings above must not run any handler.
    for (const ControlDescription& d : kControls) {
        if (d.event != nullptr) Bind(*Find<TComponent>(*this, d.name), BindEvent(this, d.event));
    }
}

void TForm1::Button2Click(TObject*) {
    if (Button2->Caption() == kCameraOff) {
        StartCapture(Panel1->Handle());
        Button2->SetCaption(kCameraOn);
    } else {
        StopCapture();
        Button2->SetCaption(kCameraOff);
    }
}

void TForm1::Button1Click(TObject*) { ShowFormatDialog(); }

void TForm1::Button3Click(TObject*) {
    ArmFrameCallback();
    BackgroundImage.Assign(FrameImage);
    Image1->Picture->Assign(BackgroundImage);
}

void TForm1::Timer1Timer(TObject*) {
    ArmFrameCallback();
    CurrentImage.Assign(FrameImage);
    Image3->Picture->Assign(CurrentImage);
}

void TForm1::Button5Click(TObject*) {
    ArmFrameCallback();
    DetectObjects();
    Image2->Picture->Assign(ResultImage);
}

void TForm1::ScrollBar1Change(TObject*) { Threshold = ScrollBar1->Position(); }

void TForm1::Button6Click(TObject*) {
    StopCapture();
    Close();
}
