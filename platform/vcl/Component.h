#pragma once

#include <functional>
#include <string>

class QObject;

// The root of the class layer: every object that can send an event.
class TObject {
public:
    virtual ~TObject() = default;
    // The class's own name, as the form names it ("TButton", "TForm1").
    virtual std::string ClassName() const { return "TObject"; }
};

// An event of a control or timer; `sender` is the object that raised it.
using TNotifyEvent = std::function<void(TObject* sender)>;

// A method of `receiver` bound as an event.
template <class T>
TNotifyEvent BindEvent(T* receiver, void (T::*method)(TObject* sender)) {
    return [receiver, method](TObject* sender) { (receiver->*method)(sender); };
}

// A named object that lives in a Qt object tree: its owner deletes it.
class TComponent : public TObject {
public:
    std::string ClassName() const override { return "TComponent"; }
    std::string Name() const;
    void SetName(const std::string& name);

protected:
    // `object` is the Qt object this component is, already constructed.
    explicit TComponent(QObject& object) : object_(object) {}
    QObject& Object() const { return object_; }

private:
    QObject& object_;
};
