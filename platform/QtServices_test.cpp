#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <functional>

#include "platform/Guard.h"
#include "platform/ImageSurface.h"
#include "platform/QtFakes.h"
#include "platform/QtServices.h"
#include "platform/QtTestApp.h"
#include "platform/RunTimeError.h"
#include "platform/SaveName.h"
#include "platform/Surface.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

class QtServicesTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApp(); }
};

// Runs `act` on the dialog once it is the active modal window.
void WhenModal(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(*w);
        }
    });
    timer->start();
}

TEST_F(QtServicesTest, FilterPairsBecomeQtNameFiltersOfBothCases) {
    EXPECT_EQ(QtNameFilters("zu 파일(*.SKY)|*.SKY"), QStringList{"zu 파일(*.SKY) (*.SKY *.sky)"});
    const QStringList pictures = QtNameFilters(
        "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG");
    ASSERT_EQ(pictures.size(), 4);
    EXPECT_EQ(pictures[3], "PNG 파일(*.PNG) (*.PNG *.png)");
    EXPECT_EQ(QtNameFilters("사용자 정의 목록 파일(*.UC)|*.uc")[0], "사용자 정의 목록 파일(*.UC) (*.uc *.UC)");
}

TEST_F(QtServicesTest, ProgramFolderIsTheInstalledDataFolderOrTheExecutables) {
    const fs::path root = fs::temp_directory_path() / ("zu_progdir_" + std::to_string(::getpid()));
    fs::create_directories(root / "bin");
    EXPECT_EQ(ProgramFolderFor(root / "bin"), root / "bin") << "build tree: data linked next to the executable";
    fs::create_directories(root / "share" / "zu");
    EXPECT_EQ(ProgramFolderFor(root / "bin"), root / "share" / "zu") << "installed";
    EXPECT_EQ(DocumentationFolderFor(root / "bin"), root / "bin") << "build tree: README.html rendered beside";
    fs::create_directories(root / "share" / "doc" / "zu");
    EXPECT_EQ(DocumentationFolderFor(root / "bin"), root / "share" / "doc" / "zu") << "installed";
    fs::remove_all(root);
}

TEST_F(QtServicesTest, FakePopupMenuRecordsItemsAndTriggersTheChoice) {
    FakeQtEnv env;
    QMenu menu;
    QAction* center = menu.addAction("가운데로(&C)");
    menu.addSeparator();
    QAction* hidden = menu.addAction("ObjMenu 5");
    hidden->setVisible(false);
    QMenu* events = menu.addMenu("천체의 사건");
    QAction* rise = events->addAction("뜨는 시각: 6시 12분");
    QAction* disabled = menu.addAction("좌표 고정");
    disabled->setEnabled(false);
    int rises = 0;
    QObject::connect(rise, &QAction::triggered, [&] { ++rises; });

    env.popups.choices = {"뜨는 시각: 6시 12분", "좌표 고정", ""};
    EXPECT_EQ(Env().popups->Popup(menu, 120, 80, center), rise);
    EXPECT_EQ(rises, 1);
    EXPECT_EQ(menu.defaultAction(), center);
    EXPECT_EQ(Env().popups->Popup(menu, 0, 0), nullptr) << "a disabled item cannot be chosen";
    EXPECT_EQ(Env().popups->Popup(menu, 0, 0), nullptr) << "dismissed";
    EXPECT_EQ(Env().popups->Popup(menu, 0, 0), nullptr) << "nothing scripted";

    ASSERT_EQ(env.popups.shown.size(), 4u);
    const std::vector<std::string> items = {"가운데로(C)", "-", "천체의 사건", "좌표 고정"};
    EXPECT_EQ(env.popups.shown[0].items, items);
    EXPECT_EQ(env.popups.shown[0].x, 120);
    EXPECT_EQ(env.popups.shown[0].default_item, "가운데로(C)");
}

TEST_F(QtServicesTest, FakeWindowShowLeavesBothKindsOpenForTheTest) {
    FakeQtEnv env;
    QWidget owner;
    QDialog settings;
    settings.setWindowTitle("설정");
    Env().windows->OpenModal(settings, &owner);
    // The call returned with the dialog still open: the test drives it.
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.windowModality(), Qt::WindowModal);
    settings.accept();
    EXPECT_FALSE(settings.isVisible());

    QWidget* info = new QWidget;
    info->setWindowTitle("zu 정보");
    Env().windows->ShowOwned(*info, &owner);
    EXPECT_EQ(info->parentWidget(), &owner);
    EXPECT_TRUE(info->isWindow());
    EXPECT_TRUE(info->isVisible());

    ASSERT_EQ(env.windows.shown.size(), 2u);
    EXPECT_TRUE(env.windows.shown[0].modal);
    EXPECT_EQ(env.windows.shown[0].title, "설정");
    EXPECT_EQ(env.windows.shown[0].owner, &owner);
    EXPECT_FALSE(env.windows.shown[1].modal);
    EXPECT_EQ(env.windows.shown[1].owner, &owner);
}

TEST_F(QtServicesTest, ChartPictureGoesToTheClipboard) {
    FakeQtEnv env;
    ImageSurface chart(30, 20);
    chart.SetBackColor(Rgb(0, 0, 64));
    Env().clipboard->Clear();
    Env().clipboard->SetImage(chart.Image());
    EXPECT_EQ(env.clipboard.clears, 1);
    EXPECT_EQ(env.clipboard.image.size(), QSize(30, 20));
    EXPECT_EQ(env.clipboard.image.pixel(3, 3), qRgb(0, 0, 64));
}

TEST_F(QtServicesTest, EscapingRunTimeErrorIsShownByTheApplication) {
    FakeQtEnv env;
    class Throwing : public QObject {
    public:
        bool event(QEvent* e) override {
            if (e->type() == QEvent::User) throw RunTimeError("자료 파일이 손상되었습니다.");
            return QObject::event(e);
        }
    } target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "자료 파일이 손상되었습니다.");
}

// The real Qt implementations, driven by a timer in place of the user.
class QtImplementationsTest : public QtServicesTest {
protected:
    void SetUp() override {
        QtServicesTest::SetUp();
        saved_ = Env();
        InstallQtServices("zu");
    }
    void TearDown() override { Env() = saved_; }
    Services saved_;
};

TEST_F(QtImplementationsTest, MessageBoxShowsKoreanButtonsAndReturnsTheAnswer) {
    QString title, text, yes_caption;
    WhenModal([&](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        title = box.windowTitle();
        text = box.text();
        yes_caption = box.button(QMessageBox::Yes)->text();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox("첫 줄\r\n둘째 줄", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::No);
    EXPECT_EQ(title, "zu");
    EXPECT_EQ(text, "첫 줄\n둘째 줄");
    EXPECT_EQ(yes_caption, "예(&Y)");
}

// A question whose "예" destroys something names "아니요" its default: Enter
// keeps the file.
TEST_F(QtImplementationsTest, EnterGivesTheDefaultAnswer) {
    bool no_is_default = false;
    WhenModal([&](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        no_is_default = box.defaultButton() == box.button(QMessageBox::No);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &enter);
    });
    Message question;
    question.text = "/tmp/a.cal 파일이 이미 있습니다. 바꾸시겠습니까?";
    question.buttons = MsgButtons::YesNo;
    question.default_answer = MsgAnswer::No;
    EXPECT_EQ(ShowMessage(question), MsgAnswer::No);
    EXPECT_TRUE(no_is_default);
}

TEST_F(QtImplementationsTest, FileDialogReturnsTheNameAndTheFilterInForce) {
    const fs::path folder = fs::temp_directory_path() / ("zu_filedlg_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    QStringList filters;
    bool asks_itself = true;
    WhenModal([&](QWidget& w) {
        auto& dialog = static_cast<QFileDialog&>(w);
        // The programs ask about the completed name, through the message seam.
        asks_itself = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        filters = dialog.nameFilters();
        dialog.selectNameFilter(filters[2]);
        dialog.selectFile(QString::fromStdString((folder / "chart.GIF").string()));
        static_cast<QDialog&>(dialog).accept();
    });
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = "그림으로 저장";
    request.filter = "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG";
    request.folder = folder;
    request.name = "chart";
    const auto choice = Env().files->Show(request);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filter_index, 3);
    EXPECT_EQ(choice->path.filename(), "chart.GIF");
    EXPECT_EQ(filters.size(), 4);
    EXPECT_FALSE(asks_itself);

    WhenModal([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
    EXPECT_FALSE(Env().files->Show(request).has_value());
    fs::remove_all(folder);
}

// True when some push button of the dialog has a Hangul syllable in its text.
bool HasKoreanButton(const QWidget& dialog) {
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        for (const QChar c : button->text())
            if (c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3) return true;
    }
    return false;
}

// Qt's own dialogs, as the seams open them, in Korean once Qt's catalogue is
// loaded; without the catalogue they fall back to English and nothing else
// changes.
TEST_F(QtImplementationsTest, QtDialogsSpeakKoreanWithTheCatalogueAndEnglishWithout) {
    struct Case {
        const char* name;
        bool installed;
    };
    const fs::path missing = fs::temp_directory_path() / ("zu_no_translations_" + std::to_string(::getpid()));
    for (const Case& c : {Case{"installed catalogue", true}, Case{"missing folder", false}}) {
        SCOPED_TRACE(c.name);
        if (c.installed) {
            ASSERT_TRUE(InstallQtKorean()) << "qt6-translations-l10n (tools/setup.sh) is not installed";
        } else {
            EXPECT_FALSE(InstallQtKorean(QString::fromStdString(missing.string())));
        }
        bool file_korean = !c.installed, colour_korean = !c.installed;
        WhenModal([&](QWidget& w) {
            file_korean = HasKoreanButton(w);
            static_cast<QDialog&>(w).reject();
        });
        FileRequest request;
        request.kind = FileDialogKind::Save;
        request.title = "zu 저장하기";
        request.filter = "zu 파일(*.SKY)|*.SKY";
        request.folder = fs::temp_directory_path();
        EXPECT_FALSE(Env().files->Show(request).has_value());
        WhenModal([&](QWidget& w) {
            colour_korean = HasKoreanButton(w);
            static_cast<QDialog&>(w).reject();
        });
        EXPECT_FALSE(Env().colours->Show(Rgb(255, 0, 0), "색 선택").has_value());
        EXPECT_EQ(file_korean, c.installed) << "file dialog";
        EXPECT_EQ(colour_korean, c.installed) << "colour dialog";
    }
}

// Pressing "Print" in Qt's print dialog opens the name of "Print to File
// (PDF)" for appending; a link planted there (to a file or dangling) is
// refused first with a message and the dialog stays open, so what the link
// points at is never touched. Qt's own checks still follow for other names:
// its question before an existing file is replaced, the dialog closing on a
// new name.
TEST_F(QtImplementationsTest, PrintToFileRefusesALinkBeforeQtOpensIt) {
    FakeMessageBox messages;
    Env().messages = &messages;
    const fs::path folder = fs::temp_directory_path() / ("zu_printdlg_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path victim = folder / "victim.txt";
    std::ofstream(victim) << "precious";
    std::ofstream(folder / "old.pdf") << "old";
    fs::create_symlink(folder / "created.pdf", folder / "dangling.pdf");
    fs::create_symlink(victim, folder / "planted.pdf");
    // Qt asks in a box of its own; "No" is pressed here.
    bool qt_asked = false;
    QTimer nested;
    QObject::connect(&nested, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            qt_asked = true;
            if (QAbstractButton* no = box->button(QMessageBox::No)) no->click();
            else box->reject();
        }
    });
    nested.start(10);

    enum class Outcome { Refused, QtAsked, Taken };
    struct Case {
        const char* name;
        Outcome outcome;
    } cases[] = {{"dangling.pdf", Outcome::Refused},
                 {"planted.pdf", Outcome::Refused},
                 {"old.pdf", Outcome::QtAsked},
                 {"month.pdf", Outcome::Taken}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        qt_asked = false;
        bool field_found = false, stayed_open = false;
        WhenModal([&](QWidget& w) {
            auto* printers = w.findChild<QComboBox*>(QStringLiteral("printers"));
            if (printers) printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
            auto* name = w.findChild<QLineEdit*>(QStringLiteral("filename"));
            field_found = name && name->isEnabled();
            if (field_found) name->setText(QString::fromStdString((folder / c.name).string()));
            for (QDialogButtonBox* buttons : w.findChildren<QDialogButtonBox*>())
                if (buttons->window() == &w && field_found) buttons->button(QDialogButtonBox::Ok)->click();
            stayed_open = w.isVisible();
            if (stayed_open) static_cast<QDialog&>(w).reject();
        });
        const std::optional<PrintChoice> choice = Env().printing->ShowSuggesting("인쇄", folder / "vu.pdf");
        ASSERT_TRUE(field_found) << "the print dialog's file field";
        EXPECT_EQ(stayed_open, c.outcome != Outcome::Taken);
        EXPECT_EQ(qt_asked, c.outcome == Outcome::QtAsked);
        EXPECT_EQ(choice.has_value(), c.outcome == Outcome::Taken);
        if (c.outcome == Outcome::Refused) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, NameRefusal(folder / c.name));
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
        if (choice) {
            EXPECT_EQ(choice->pdf, folder / c.name);
        }
    }
    EXPECT_FALSE(fs::exists(folder / "created.pdf"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.pdf"));
    EXPECT_TRUE(fs::is_symlink(folder / "planted.pdf"));
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
    EXPECT_FALSE(fs::exists(folder / "month.pdf")) << "nothing printed yet";
    fs::remove_all(folder);
}

TEST_F(QtImplementationsTest, ModalWindowOpensWithoutBlocking) {
    QWidget owner;
    owner.show();
    QDialog* window = new QDialog;
    Env().windows->OpenModal(*window, &owner);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    window->reject();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtImplementationsTest, ClipboardFoldersAndClock) {
    Env().clipboard->SetText("고령 35.7");
    EXPECT_EQ(Env().clipboard->Text(), "고령 35.7");
    EXPECT_EQ(Env().folders->UserFolder().filename(), "zu");
    EXPECT_EQ(Env().folders->ProgramFolder(),
              fs::path(QCoreApplication::applicationDirPath().toStdString()));
    const LocalTime now = Now();
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

TEST_F(QtImplementationsTest, PrintingStartsPdfDocumentsAndFailsOnUnknownPrinters) {
    const fs::path folder = fs::temp_directory_path() / "zu_qt_printing";
    fs::remove_all(folder);
    fs::create_directories(folder);
    auto document = Env().printing->StartDocument(PrintTarget{"", folder / "page.pdf"});
    ASSERT_NE(document, nullptr);
    document->Page().Print("zu");
    EXPECT_TRUE(document->End());
    EXPECT_TRUE(fs::exists(folder / "page.pdf"));
    EXPECT_EQ(Env().printing->StartDocument(PrintTarget{"zu test printer that is not installed", {}}), nullptr);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace platform
