#include "platform/controls/Buttons.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Menus.h"
#include "platform/controls/SaveDialog.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Timer.h"

// The class library's own classes, for form descriptions to name.
void RegisterStandardClasses()
{
    RegisterClasses<TForm, TLabel, TImage, TShape, TSpeedButton, TPopupMenu, TMenuItem, TTimer, TSaveDialog,
                    TSavePictureDialog>();
}
