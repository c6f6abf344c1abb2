// The showcase: the program's own controls on a form of their own, to be seen and tried on a
// desktop. Every button reports its clicks in the status line at the bottom.
#include "controls/ShadoLbl/ShadowLabel.h"
#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/Cp932.h"
#include "platform/host/qt/QtHost.h"

extern const char* const ShowcaseFormDescription;

class TShowcaseForm : public TForm {
public:
    explicit TShowcaseForm(TComponent* owner) : TForm(owner)
    {
        LoadDescription(ShowcaseFormDescription);
        BindComponent(FStatus, "Status");
    }

    TMethodTable Methods() override { return {Method("ButtonClick", this, &TShowcaseForm::ButtonClick)}; }

    void ButtonClick(TObject* sender)
    {
        auto* button = dynamic_cast<TShineSpeedButton*>(sender);
        if (!button)
            return;
        std::string text = Sjis("押されたボタン: ") + button->Name();
        if (button->Down())
            text += Sjis(" (下がっています)");
        FStatus->SetCaption(text);
    }

private:
    TShadowLabel* FStatus = nullptr;
};

int main(int argc, char** argv)
{
    TQtHost host(argc, argv);
    RegisterClasses<TShineSpeedButton, TShadowLabel>();
    try {
        Application->Initialize();
        Application->SetTitle(Sjis("ティロラ ボタン見本"));
        TShowcaseForm* form = nullptr;
        Application->CreateForm(form);
        Application->Run();
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
