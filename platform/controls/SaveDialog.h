#pragma once
// The save dialog (with a picture preview for TSavePictureDialog), on the host's dialog.
#include <string>

#include "platform/classes/Component.h"

class TSaveDialog : public TComponent {
public:
    explicit TSaveDialog(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Without the dot; a chosen name without an extension gets it.
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& v) { FDefaultExt = v; }
    // The chosen path (the file system's bytes); offered again at the next Execute.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& v) { FFileName = v; }
    // "description|pattern;pattern|..." (code page 932).
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& v) { FFilter = v; }
    int32_t FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int32_t v) { FFilterIndex = v; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }

    // Shows the dialog; true with FileName set when the user chose a name.
    virtual bool Execute();

protected:
    bool FPreview = false;

private:
    std::string FDefaultExt;
    std::string FFileName;
    std::string FFilter;
    int32_t FFilterIndex = 1;
    std::string FTitle;
};

class TSavePictureDialog : public TSaveDialog {
public:
    explicit TSavePictureDialog(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
