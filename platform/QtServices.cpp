#include "platform/QtServices.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include <memory>
#include <system_error>

#include "platform/Guard.h"
#include "platform/ImageSurface.h"
#include "platform/PrinterSurface.h"
#include "platform/QtLongWork.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

namespace platform {
namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toUtf8().toStdString(); }
QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QWidget* DialogOwner() { return QApplication::activeWindow(); }

class QtMessageBox final : public MessageBox {
public:
    MsgAnswer Show(const Message& message) override {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (message.icon) {
            case MsgIcon::None: break;
            case MsgIcon::Critical: icon = QMessageBox::Critical; break;
            case MsgIcon::Question: icon = QMessageBox::Question; break;
            case MsgIcon::Exclamation: icon = QMessageBox::Warning; break;
            case MsgIcon::Information: icon = QMessageBox::Information; break;
        }
        struct Button {
            QMessageBox::StandardButton qt;
            MsgAnswer answer;
            const char* caption;
        };
        std::vector<Button> buttons;
        switch (message.buttons) {
            case MsgButtons::Ok: buttons = {{QMessageBox::Ok, MsgAnswer::Ok, "확인"}}; break;
            case MsgButtons::OkCancel:
                buttons = {{QMessageBox::Ok, MsgAnswer::Ok, "확인"}, {QMessageBox::Cancel, MsgAnswer::Cancel, "취소"}};
                break;
            case MsgButtons::AbortRetryIgnore:
                buttons = {{QMessageBox::Abort, MsgAnswer::Abort, "중단(&A)"},
                           {QMessageBox::Retry, MsgAnswer::Retry, "다시 시도(&R)"},
                           {QMessageBox::Ignore, MsgAnswer::Ignore, "무시(&I)"}};
                break;
            case MsgButtons::YesNoCancel:
                buttons = {{QMessageBox::Yes, MsgAnswer::Yes, "예(&Y)"},
                           {QMessageBox::No, MsgAnswer::No, "아니요(&N)"},
                           {QMessageBox::Cancel, MsgAnswer::Cancel, "취소"}};
                break;
            case MsgButtons::YesNo:
                buttons = {{QMessageBox::Yes, MsgAnswer::Yes, "예(&Y)"}, {QMessageBox::No, MsgAnswer::No, "아니요(&N)"}};
                break;
            case MsgButtons::RetryCancel:
                buttons = {{QMessageBox::Retry, MsgAnswer::Retry, "다시 시도(&R)"},
                           {QMessageBox::Cancel, MsgAnswer::Cancel, "취소"}};
                break;
        }
        QString text = Q(message.text);
        text.replace("\r\n", "\n").replace('\r', '\n');
        const std::string title = message.title.empty() ? Env().program_name : message.title;
        QMessageBox box(icon, Q(title), text, QMessageBox::NoButton, DialogOwner());
        QMessageBox::StandardButtons all;
        for (const Button& b : buttons) all |= b.qt;
        box.setStandardButtons(all);
        for (const Button& b : buttons) box.button(b.qt)->setText(QString::fromUtf8(b.caption));
        const MsgAnswer default_answer = DefaultAnswerOf(message);
        box.setDefaultButton(buttons.front().qt);
        for (const Button& b : buttons)
            if (b.answer == default_answer) box.setDefaultButton(b.qt);
        const int result = box.exec();
        for (const Button& b : buttons)
            if (result == b.qt) return b.answer;
        // Closed without a choice: the cautious answer of the set.
        for (const MsgAnswer safe : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Abort})
            for (const Button& b : buttons)
                if (b.answer == safe) return safe;
        return buttons.front().answer;
    }
};

class QtFileDialog final : public FileDialog {
public:
    std::optional<FileChoice> Show(const FileRequest& request) override {
        QFileDialog dialog(DialogOwner(), Q(request.title), Q(request.folder.string()));
        const bool save = request.kind == FileDialogKind::Save;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        // ChooseSaveFile asks about the completed name; the dialog would ask
        // about the typed one, and not through the message seam.
        if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const QStringList filters = QtNameFilters(request.filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = request.filter_index >= 1 && request.filter_index <= filters.size() ? request.filter_index : 1;
            dialog.selectNameFilter(filters[index - 1]);
        }
        if (!request.name.empty()) dialog.selectFile(Q(request.name));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        FileChoice choice;
        choice.path = std::filesystem::path(S(dialog.selectedFiles().front()));
        // With the details hidden some Qt versions report the shown text.
        const QString selected = dialog.selectedNameFilter();
        qsizetype index = filters.indexOf(selected);
        if (index < 0) {
            const auto pairs = ParseFilter(request.filter);
            for (qsizetype i = 0; i < static_cast<qsizetype>(pairs.size()); ++i)
                if (Q(pairs[static_cast<std::size_t>(i)].description) == selected.trimmed()) index = i;
        }
        choice.filter_index = index < 0 ? 1 : static_cast<int>(index) + 1;
        return choice;
    }
};

class QtColourDialog final : public ColourDialog {
public:
    std::optional<Colour> Show(Colour initial, const std::string& title) override {
        const QColor chosen = QColorDialog::getColor(ToQColor(initial), DialogOwner(), Q(title));
        if (!chosen.isValid()) return std::nullopt;
        return Rgb(chosen.red(), chosen.green(), chosen.blue());
    }
};

class QtFontDialog final : public FontDialog {
public:
    std::optional<FontSpec> Show(const FontSpec& initial, const std::string& title) override {
        QFont font(Q(initial.name));
        font.setPointSizeF(initial.size_pt > 0 ? initial.size_pt : 9);
        font.setBold(initial.bold);
        font.setItalic(initial.italic);
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, DialogOwner(), Q(title), QFontDialog::ScalableFonts);
        if (!ok) return std::nullopt;
        FontSpec result = initial;
        result.name = S(chosen.family());
        result.size_pt = chosen.pointSizeF();
        result.bold = chosen.bold();
        result.italic = chosen.italic();
        return result;
    }
};

// When its print button is pressed, Qt's print dialog checks the name of
// "Print to File (PDF)" by opening it for appending: a link planted at the
// name is followed (a dangling one creates a file where it points, and the
// link is then removed) and a pipe waits forever. Such a name is refused
// before Qt's check runs, and the dialog stays open; the PDF itself is
// written through a PendingFile, which follows nothing.
class CheckedPrintDialog final : public QPrintDialog {
public:
    CheckedPrintDialog(QPrinter* printer, QWidget* owner) : QPrintDialog(printer, owner) {
        for (QDialogButtonBox* buttons : findChildren<QDialogButtonBox*>()) {
            if (buttons->window() != this) continue;  // the printer properties window's own
            QObject::disconnect(buttons, SIGNAL(accepted()), this, nullptr);
            connect(buttons, &QDialogButtonBox::accepted, this, [this] { PrintPressed(); });
        }
    }

private:
    void PrintPressed() {
        if (const auto* name = findChild<QLineEdit*>(QStringLiteral("filename")); name && name->isEnabled()) {
            const std::string refusal = NameRefusal(std::filesystem::path(S(name->text())));
            if (!refusal.empty()) {
                MsgBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation, S(windowTitle()));
                return;
            }
        }
        // Qt's own checks (a folder, a file that cannot be written, the
        // question before a file is replaced), which end in accept().
        if (!QMetaObject::invokeMethod(this, "_q_checkFields")) accept();
    }
};

class QtPrintDialog final : public PrintDialog {
public:
    std::vector<std::string> PrinterNames() override {
        std::vector<std::string> names;
        for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(S(name));
        return names;
    }
    std::optional<PrintChoice> Show(const std::string& title) override { return ShowSuggesting(title, {}); }
    std::optional<PrintChoice> ShowSuggesting(const std::string& title, const std::filesystem::path& pdf) override {
        QPrinter printer;
        printer.setCopyCount(1);
        if (!pdf.empty()) {
            // The dialog offers this file for "Print to File (PDF)"; an
            // installed printer stays the first choice.
            printer.setOutputFileName(Q(pdf.string()));
            if (!QPrinterInfo::availablePrinterNames().isEmpty()) printer.setOutputFormat(QPrinter::NativeFormat);
        }
        CheckedPrintDialog dialog(&printer, DialogOwner());
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (!title.empty()) dialog.setWindowTitle(Q(title));
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        PrintChoice choice;
        choice.printer = S(printer.printerName());
        choice.copies = printer.copyCount();
        choice.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
        if (printer.outputFormat() == QPrinter::PdfFormat) choice.pdf = S(printer.outputFileName());
        return choice;
    }
    std::unique_ptr<PrintDocument> StartDocument(const PrintTarget& target) override {
        return StartPrinterDocument(target);
    }
};

class QtPopupMenu final : public PopupMenu {
public:
    QAction* Popup(QMenu& menu, int x, int y, QAction* default_action) override {
        menu.setDefaultAction(default_action);
        return menu.exec(QPoint(x, y));
    }
};

class QtWindowShow final : public WindowShow {
public:
    void OpenModal(QWidget& window, QWidget* owner) override {
        MakeOwned(window, owner);
        window.setWindowModality(Qt::WindowModal);
        ShowOnScreen(window, owner);
        window.raise();
        window.activateWindow();
    }
    void ShowOwned(QWidget& window, QWidget* owner) override {
        MakeOwned(window, owner);
        ShowOnScreen(window, owner);
        window.raise();
        window.activateWindow();
    }
};

class QtClipboard final : public Clipboard {
public:
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
    void SetText(const std::string& text_utf8) override { QGuiApplication::clipboard()->setText(Q(text_utf8)); }
    std::string Text() override { return S(QGuiApplication::clipboard()->text()); }
};

class QtClock final : public Clock {
public:
    LocalTime Now() override {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate d = now.date();
        const QTime t = now.time();
        return LocalTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
    }
    LocalTime UtcNow() override {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QDate d = now.date();
        const QTime t = now.time();
        return LocalTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
    }
};

class QtTick final : public Tick {
public:
    QtTick() { timer_.start(); }
    std::int64_t Milliseconds() override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

class QtFolders final : public Folders {
public:
    std::filesystem::path ProgramFolder() override {
        return ProgramFolderFor(std::filesystem::path(S(QCoreApplication::applicationDirPath())));
    }
    std::filesystem::path UserFolder() override {
        return std::filesystem::path(S(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))) /
               Env().program_name;
    }
    std::filesystem::path DocumentsFolder() override {
        return std::filesystem::path(S(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    }
    std::filesystem::path HomeFolder() override { return std::filesystem::path(S(QDir::homePath())); }
    std::filesystem::path DocumentationFolder() override {
        return DocumentationFolderFor(std::filesystem::path(S(QCoreApplication::applicationDirPath())));
    }
};

class QtShell final : public Shell {
public:
    bool Open(const std::string& address_or_path) override {
        const QString folder = Q(Env().folders->ProgramFolder().string());
        return QDesktopServices::openUrl(QUrl::fromUserInput(Q(address_or_path), folder, QUrl::AssumeLocalFile));
    }
};

}  // namespace

bool InstallQtKorean(const QString& folder) {
    // Owned by the application, so it is gone before the application is.
    static QPointer<QTranslator> catalogue;
    delete catalogue;
    auto loaded = std::make_unique<QTranslator>(QCoreApplication::instance());
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!loaded->load(QStringLiteral("qtbase_ko"), from) || !QCoreApplication::installTranslator(loaded.get()))
        return false;
    catalogue = loaded.release();
    return true;
}

std::filesystem::path DocumentationFolderFor(const std::filesystem::path& executable_folder) {
    const std::filesystem::path installed = executable_folder / ZU_INSTALL_DOC_FROM_BIN;
    std::error_code error;
    if (std::filesystem::is_directory(installed, error)) {
        const auto canonical = std::filesystem::weakly_canonical(installed, error);
        return error ? installed : canonical;
    }
    return executable_folder;
}

std::filesystem::path ProgramFolderFor(const std::filesystem::path& executable_folder) {
    const std::filesystem::path installed = executable_folder / ZU_INSTALL_DATA_FROM_BIN;
    std::error_code error;
    if (std::filesystem::is_directory(installed, error)) {
        const auto canonical = std::filesystem::weakly_canonical(installed, error);
        return error ? installed : canonical;
    }
    return executable_folder;
}

QStringList QtNameFilters(const std::string& filter) {
    QStringList filters;
    for (const FilterPair& pair : ParseFilter(filter)) {
        QStringList patterns;
        for (const std::string& p : pair.patterns) {
            const QString pattern = Q(p);
            patterns << pattern;
            // The files of the original system carry upper-case extensions,
            // files made here often lower-case ones.
            for (const QString& other : {pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(other)) patterns << other;
        }
        filters << Q(pair.description) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        try {
            ShowCurrentException();
        } catch (...) {
        }
        return false;
    }
}

void InstallQtServices(const std::string& program_name) {
    static QtMessageBox messages;
    static QtFileDialog files;
    static QtColourDialog colours;
    static QtFontDialog fonts;
    static QtPrintDialog printing;
    static QtPopupMenu popups;
    static QtWindowShow windows;
    static QtClipboard clipboard;
    static QtClock clock;
    static QtTick tick;
    static QtShell shell;
    static QtFolders folders;
    InstallFontSubstitutes();
    Services& s = Env();
    s.program_name = program_name;
    s.messages = &messages;
    s.files = &files;
    s.colours = &colours;
    s.fonts = &fonts;
    s.printing = &printing;
    s.popups = &popups;
    s.windows = &windows;
    s.long_work = &QtLongWorkService();
    s.clipboard = &clipboard;
    s.clock = &clock;
    s.tick = &tick;
    s.shell = &shell;
    s.folders = &folders;
}

}  // namespace platform
