#include "platform/controls/SaveDialog.h"

#include "platform/controls/Host.h"
#include "platform/core/Files.h"

const TClassInfo& TSaveDialog::StaticClassInfo()
{
    static const TClassInfo info("TSaveDialog", &TComponent::StaticClassInfo(), {
        StrProp("DefaultExt", &TSaveDialog::DefaultExt, &TSaveDialog::SetDefaultExt),
        StrProp("FileName", &TSaveDialog::FileName, &TSaveDialog::SetFileName),
        StrProp("Filter", &TSaveDialog::Filter, &TSaveDialog::SetFilter),
        IntProp("FilterIndex", &TSaveDialog::FilterIndex, &TSaveDialog::SetFilterIndex, 1),
        StrProp("Title", &TSaveDialog::Title, &TSaveDialog::SetTitle),
    }, Creates<TSaveDialog>);
    return info;
}

TSaveDialog::TSaveDialog(TComponent* owner) : TComponent(owner) {}

bool TSaveDialog::Execute()
{
    THost* host = THost::Current();
    if (!host)
        return false;
    TSaveDialogRequest request;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    request.DefaultExt = FDefaultExt;
    request.FileName = FFileName;
    request.Preview = FPreview;
    std::string chosen;
    if (!host->SaveDialog(request, chosen) || chosen.empty())
        return false;
    // A typed name without an extension gets the default one.
    if (!FDefaultExt.empty() && ExtractFileExt(chosen).empty())
        chosen += "." + FDefaultExt;
    FFileName = chosen;
    return true;
}

const TClassInfo& TSavePictureDialog::StaticClassInfo()
{
    static const TClassInfo info("TSavePictureDialog", &TSaveDialog::StaticClassInfo(), {},
                                 Creates<TSavePictureDialog>);
    return info;
}

TSavePictureDialog::TSavePictureDialog(TComponent* owner) : TSaveDialog(owner) { FPreview = true; }
