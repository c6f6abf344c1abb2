#include "platform/host/qt/Dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/core/Cp932.h"

QString FromCp932(const std::string& text)
{
    return QString::fromStdString(Cp932ToUtf8(text));
}

namespace {

QMessageBox::Icon IconOf(TMsgKind kind)
{
    switch (kind) {
    case TMsgKind::Error:
        return QMessageBox::Critical;
    case TMsgKind::Confirmation:
        return QMessageBox::Question;
    case TMsgKind::Information:
        return QMessageBox::Information;
    case TMsgKind::Warning:
        return QMessageBox::Warning;
    case TMsgKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// Tells a box closed by its frame (or Alt+F4) from one answered with a button or a key: only
// the frame sends the box a close event.
class TCloseWatch : public QObject {
public:
    bool Closed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            Closed = true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TModalResult ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption, TMsgKind kind,
                            TMsgButtons buttons)
{
    QMessageBox box(IconOf(kind), FromCp932(caption), FromCp932(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);  // a file name with "<" in it is text, not markup
    TCloseWatch watch;
    box.installEventFilter(&watch);
    QPushButton* yes = nullptr;
    if (buttons == TMsgButtons::Ok) {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    } else {
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    }
    box.exec();
    if (buttons == TMsgButtons::Ok)
        return TModalResult::Ok;
    if (watch.Closed)
        return TModalResult::None;
    return box.clickedButton() == yes ? TModalResult::Yes : TModalResult::No;
}

QStringList NameFilters(const std::string& filter)
{
    const QStringList parts = FromCp932(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");  // every file, with or without an extension
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

namespace {

// The picture under the selection, scaled into a fixed box, with its size in pixels.
class TPicturePreview : public QWidget {
public:
    explicit TPicturePreview(QWidget* parent) : QWidget(parent)
    {
        FPicture->setFixedSize(BoxSize, BoxSize);
        FPicture->setAlignment(Qt::AlignCenter);
        FPicture->setFrameShape(QFrame::StyledPanel);
        FSize->setAlignment(Qt::AlignCenter);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(FPicture);
        layout->addWidget(FSize);
        layout->addStretch();
    }

    void Show(const QString& path)
    {
        QImageReader reader(path);
        const QSize size = reader.size();
        if (!size.isValid()) {
            FPicture->clear();
            FSize->clear();
            return;
        }
        reader.setScaledSize(size.scaled(BoxSize - 4, BoxSize - 4, Qt::KeepAspectRatio));
        FPicture->setPixmap(QPixmap::fromImage(reader.read()));
        FSize->setText(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    }

private:
    static constexpr int BoxSize = 164;
    QLabel* FPicture = new QLabel(this);
    QLabel* FSize = new QLabel(this);
};

void AddPreview(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new TPicturePreview(&dialog);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) { preview->Show(path); });
}

} // namespace

bool ShowSaveDialog(QWidget* parent, const TSaveDialogRequest& request, std::string& fileName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The desktop's own dialog cannot take the preview; the overwrite question is the caller's.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    const QStringList filters = NameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    dialog.setDefaultSuffix(FromCp932(request.DefaultExt));
    if (!request.FileName.empty())
        dialog.selectFile(QFile::decodeName(request.FileName.c_str()));
    if (request.Preview)
        AddPreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    return true;
}
