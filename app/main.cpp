// ティロラ: the program's entry. One board window until the user closes it.
#include "app/board/MainWindow1.h"
#include "platform/controls/Application.h"
#include "platform/core/Cp932.h"
#include "platform/host/qt/QtHost.h"

int main(int argc, char** argv)
{
    TQtHost host(argc, argv);
    try {
        Application->Initialize();
        Application->SetTitle(Sjis("ティロラ"));
        Application->CreateForm(MainForm1);
        Application->Run();
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    // The forms go while the host that shows them still exists.
    Application->Shutdown();
    return 0;
}
