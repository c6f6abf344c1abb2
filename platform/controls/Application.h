#pragma once
// TApplication: the one application object. It owns the forms it creates, runs the host's
// loop, and reports every exception that escapes a dispatched message (a message box with the
// error icon, captioned with the title, showing the message); the program then goes on.
#include <exception>
#include <functional>
#include <string>

#include "platform/classes/Component.h"
#include "platform/core/Exception.h"

class TForm;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void Initialize();
    // Code page 932; the caption of the exception report and of ShowMessage.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!FMainForm)
            FMainForm = reference;
    }
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the host's loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Inside a catch block: reports the exception being handled (OnException when set,
    // ShowException otherwise). A non-library exception is shown by its what(); an unknown
    // one with an empty message.
    void HandleException(TObject* sender);
    // The standard report.
    void ShowException(const std::exception& e);
    // Runs fn, reporting anything that escapes it; false when something did.
    bool Protect(const std::function<void()>& fn, TObject* sender = nullptr);

    TExceptionEvent OnException;

    // Frees every form and forgets the main form (for hosts and tests that start afresh).
    void Shutdown();

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::string FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

// The application object.
extern TApplication* Application;
