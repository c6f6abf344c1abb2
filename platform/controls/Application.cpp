#include "platform/controls/Application.h"

#include "platform/controls/Form.h"
#include "platform/controls/Host.h"

namespace {
TApplication TheApplication(nullptr);
}

TApplication* Application = &TheApplication;

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo info("TApplication", &TComponent::StaticClassInfo(), {});
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() { FTerminated = false; }

void TApplication::Run()
{
    FTerminated = false;
    if (FMainForm)
        FMainForm->Show();
    if (THost* host = THost::Current(); host && !FTerminated)
        host->Run();
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (THost* host = THost::Current())
        host->Quit();
}

void TApplication::HandleException(TObject* sender)
{
    try {
        throw;
    } catch (const std::exception& e) {
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    } catch (...) {
        const Exception unknown("");
        if (OnException)
            OnException(sender, unknown);
        else
            ShowException(unknown);
    }
}

void TApplication::ShowException(const std::exception& e)
{
    const auto* ours = dynamic_cast<const Exception*>(&e);
    const std::string message = ours ? ours->Message : std::string(e.what());
    if (THost* host = THost::Current())
        host->MessageBox(message, FTitle, TMsgKind::Error, TMsgButtons::Ok);
}

bool TApplication::Protect(const std::function<void()>& fn, TObject* sender)
{
    try {
        fn();
        return true;
    } catch (...) {
        // The report itself must not end the program either.
        try {
            HandleException(sender ? sender : this);
        } catch (...) {
        }
        return false;
    }
}

void TApplication::Shutdown()
{
    DestroyComponents();
    FMainForm = nullptr;
    FTerminated = false;
    OnException = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMainForm)
        FMainForm = nullptr;
}
