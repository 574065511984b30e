// The object information window.
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

#include "astro/Planets.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/InfoWindows.h"
#include "zu/search/ObjectInfoText.h"

namespace zu {
namespace {

constexpr int kDesignWidth_px = 330;
constexpr int kDesignHeight_px = 460;
constexpr int kLabelHeight_px = 28;
constexpr int kCopyWidth_px = 60;
constexpr int kCopyHeight_px = 24;
constexpr int kResizeMargin_px = 10;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The text box shows lines; the CR LF of the text stays for the clipboard.
QString ShownText(const std::string& text) {
    QString shown = Utf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

FrmInfo::FrmInfo(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("FrmInfo");
    setWindowTitle(QString::fromUtf8("정보"));
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    QFont bold(QString::fromUtf8("굴림"));
    bold.setBold(true);
    Label1->setFont(bold);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdCopy = new QPushButton(QString::fromUtf8("복사"), this);
    cmdCopy->setObjectName("cmdCopy");
    QObject::connect(cmdCopy, &QPushButton::clicked, this, [this] { platform::Guard([this] { cmdCopy_Click(); }); });
    resize(kDesignWidth_px, kDesignHeight_px);
    Label1->setGeometry(0, 0, kDesignWidth_px - kCopyWidth_px, kLabelHeight_px);
    cmdCopy->setGeometry(kDesignWidth_px - kCopyWidth_px, (kLabelHeight_px - kCopyHeight_px) / 2, kCopyWidth_px,
                         kCopyHeight_px);
    Text1->setGeometry(0, kLabelHeight_px, kDesignWidth_px, kDesignHeight_px - kLabelHeight_px);
}

FrmInfo& ShowObjectInfo(QWidget* owner, const std::string& name) {
    auto& info = static_cast<FrmInfo&>(ToolWindow(ToolWindowId::FrmInfo, owner));
    info.setWindowTitle(QString::fromUtf8("정보: ") + Utf8(name));
    platform::Env().windows->ShowOwned(info, owner);
    info.Form_Activate();
    return info;
}

void FrmInfo::Form_Activate() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    // The shared table stays at the chart moment; the texts read it from there.
    astro::CalcPlanets(s.CurrentJD);
    const InfoContext ctx = CurrentInfoContext();
    const ObjectInfo info =
        BuildObjectInfo(AppState().SelObjKey, ctx,
                        {astro::Planets().PlanetTable, skydata::Catalogs(), skydata::Constellations(),
                         skydata::UserCatalogModule().Catalogs});
    Label1->setText(Utf8(info.label));
    text_ = info.text;
    Text1->setPlainText(ShownText(text_));
}

void FrmInfo::cmdCopy_Click() {
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetText(text_);
}

void FrmInfo::Form_Load() {
    Text1->setGeometry(0, kLabelHeight_px, width(), height() - Label1->height());
    const QWidget* main = parentWidget();
    if (!main) return;
    const QRect m = main->frameGeometry();
    const QRect own = frameGeometry();
    move(std::max(0, m.left() + m.width() - own.width()), std::max(0, m.top() + m.height() - own.height()));
}

void FrmInfo::Form_Resize() {
    if (Label1->height() + kResizeMargin_px >= height()) return;
    Text1->setGeometry(0, kLabelHeight_px, width(), height() - Label1->height());
    cmdCopy->move(width() - cmdCopy->width(), cmdCopy->y());
}

bool FrmInfo::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) platform::Guard([this] { Form_Activate(); });
    return QWidget::event(event);
}

void FrmInfo::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QWidget::showEvent(event);
}

void FrmInfo::resizeEvent(QResizeEvent* event) {
    Form_Resize();
    QWidget::resizeEvent(event);
}

}  // namespace zu
