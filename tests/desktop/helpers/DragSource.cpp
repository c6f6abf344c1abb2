// A drag source for the desktop tests, standing in for a file manager: it shows a small window
// at the given screen position and, when the left button goes down on it, drags the given
// files as file URLs (a real drag between two programs, as from a file manager).
//
//   tirora-drag-source X Y FILE...
//
// Prints "ready" once its window is on the screen and "finished" when the drag has ended. The
// receiver reads the data after the drop, so the program then stays until it is ended (at
// most a minute).
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class TDragSource : public QWidget {
public:
    explicit TDragSource(QList<QUrl> urls) : FUrls(std::move(urls)) { setFixedSize(60, 60); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkCyan);
        if (!FReady) {
            FReady = true;
            std::puts("ready");
            std::fflush(stdout);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(FUrls);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
        std::puts("finished");
        std::fflush(stdout);
    }

private:
    QList<QUrl> FUrls;
    bool FReady = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: tirora-drag-source X Y FILE...\n");
        return 2;
    }
    QList<QUrl> urls;
    for (const QString& file : args.mid(3))
        urls << (file.contains(QLatin1String("://")) ? QUrl(file) : QUrl::fromLocalFile(file));
    TDragSource source(urls);
    source.setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    source.move(args[1].toInt(), args[2].toInt());
    source.show();
    QTimer::singleShot(60000, &app, &QApplication::quit);
    return app.exec();
}
