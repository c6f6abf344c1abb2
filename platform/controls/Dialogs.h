#pragma once
// Message dialogs, on the host's message boxes.
#include <cstdint>
#include <initializer_list>
#include <string>

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = uint32_t;
constexpr TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
{
    TMsgDlgButtons bits = 0;
    for (TMsgDlgBtn b : buttons)
        bits |= 1u << b;
    return bits;
}
constexpr TMsgDlgButtons mbYesNo = (1u << mbYes) | (1u << mbNo);

// Results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

// A message box captioned by its type ("警告", "エラー", "情報", "確認"; the application title for
// mtCustom) with that type's icon. Buttons holding mbYes show はい(&Y)/いいえ(&N), anything else
// one OK button. Returns the answer; closing the box gives mrNone.
int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// A plain message box (no icon, one OK button) captioned with the application title.
void ShowMessage(const std::string& message);
