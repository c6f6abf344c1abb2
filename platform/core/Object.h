#pragma once
// The root of the class library's objects, and the change-notification callback.
#include <functional>
#include <string>

class TObject {
public:
    virtual ~TObject() = default;
    // The class name as the form descriptions and the assignment error spell it.
    virtual std::string ClassName() const { return "TObject"; }
};

// A callback bound to one object, called with the sender. Empty until bound.
using TNotifyEvent = std::function<void(TObject* sender)>;

// Stores value in field when it differs and says whether it did: setters compare first, so that
// an equal value changes nothing and notifies nobody.
template <class T>
bool StoreChanged(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Binds a member function of `object` as a TNotifyEvent.
template <class T>
TNotifyEvent Bind(T* object, void (T::*method)(TObject*))
{
    return [object, method](TObject* sender) { (object->*method)(sender); };
}
