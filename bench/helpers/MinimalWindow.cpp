// The reference of the start-up benchmark: the least a Qt program does to put a 600 by 448
// picture on the screen at 20, 20, built with the same compiler, flags and Qt as the board.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

class TMinimalWindow : public QWidget {
public:
    TMinimalWindow() : FPicture(600, 448, QImage::Format_RGB32)
    {
        FPicture.fill(Qt::white);
        setFixedSize(FPicture.size());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, FPicture); }

private:
    QImage FPicture;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TMinimalWindow window;
    window.move(20, 20);
    window.show();
    return app.exec();
}
