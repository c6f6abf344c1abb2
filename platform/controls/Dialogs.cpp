#include "platform/controls/Dialogs.h"

#include "platform/controls/Application.h"
#include "platform/controls/Host.h"
#include "platform/core/Cp932.h"

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    THost* host = THost::Current();
    if (!host)
        return mrNone;
    std::string caption;
    TMsgKind kind = TMsgKind::Plain;
    switch (type) {
    case mtWarning: caption = Sjis("警告"); kind = TMsgKind::Warning; break;
    case mtError: caption = Sjis("エラー"); kind = TMsgKind::Error; break;
    case mtInformation: caption = Sjis("情報"); kind = TMsgKind::Information; break;
    case mtConfirmation: caption = Sjis("確認"); kind = TMsgKind::Confirmation; break;
    case mtCustom: caption = Application->Title(); break;
    }
    const TMsgButtons shown = (buttons & (1u << mbYes)) ? TMsgButtons::YesNo : TMsgButtons::Ok;
    switch (host->MessageBox(message, caption, kind, shown)) {
    case TModalResult::Ok: return mrOk;
    case TModalResult::Cancel: return mrCancel;
    case TModalResult::Yes: return mrYes;
    case TModalResult::No: return mrNo;
    case TModalResult::None: break;
    }
    return mrNone;
}

void ShowMessage(const std::string& message)
{
    if (THost* host = THost::Current())
        host->MessageBox(message, Application->Title(), TMsgKind::Plain, TMsgButtons::Ok);
}
