// Program commands: open and save chart files, copy the chart to the
// clipboard, save it as a picture, the About message, the home page (the
// documentation installed with the program) and exit.
//
// Every file command starts from the common file dialog in the folder last
// used for its kind of file (else the user's documents or home folder);
// cancelling ends the command with nothing changed. A file that
// cannot be read or written is named in a message and changes nothing.
#include <QTimer>

#include <filesystem>
#include <string>
#include <system_error>

#include "astro/Atmosphere.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SiteContext.h"
#include "astro/TextFormat.h"
#include "platform/RunTimeError.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "skydata/Constellations.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"
#include "skydata/UserCatalogs.h"
#include "ui/About.h"
#include "zu/core/DocumentFolders.h"
#include "zu/core/MainState.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Commands.h"
#include "zu/main/Form1.h"
#include "zu/main/PictureExport.h"
#include "zu/main/SkyFile.h"
#include "zu/tracks/MarkerWindow.h"

namespace zu {
namespace {

constexpr const char* kChartFilter = "zu 파일(*.SKY)|*.SKY";
constexpr const char* kChartExtension = ".SKY";
constexpr const char* kOpenTitle = "zu 불러오기";
constexpr const char* kSaveTitle = "zu 저장하기";
constexpr const char* kPictureTitle = "그림으로 저장";

std::optional<platform::FileChoice> AskForFile(platform::FileDialogKind kind, DocumentKind document,
                                               const std::string& title, const std::string& filter,
                                               const std::string& name) {
    platform::FileRequest request;
    request.kind = kind;
    request.title = title;
    request.filter = filter;
    request.folder = DocumentFolderFor(document);
    request.name = name;
    // A save's name is completed with the kind's extension and an existing
    // file replaced only when the user says so.
    auto choice = kind == platform::FileDialogKind::Save ? platform::ChooseSaveFile(request)
                                                         : platform::Env().files->Show(request);
    if (choice) RememberDocumentFolder(document, choice->path);
    return choice;
}

void ShowFailure(const std::string& text, const std::string& title) {
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
}

std::string DefaultChartName() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    return astro::MakeChartFileName(s.CurrentJD, s.nobsname);
}

// Everything that follows from freshly loaded settings, as at start-up: the
// menus, the marker list, the labels, the user catalogues, the zone, the
// atmosphere tables and the chart time with what depends on it.
void ApplyOpenedChart(Form1& form) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    // Catalogue slots whose files are gone are released before the menus
    // show them.
    const std::string catalogueNotice = skydata::CheckUserCatalogs();
    if (!catalogueNotice.empty()) {
        platform::MsgBox(catalogueNotice, platform::MsgButtons::Ok, platform::MsgIcon::Information, kOpenTitle);
    }
    s.timezone = s.summertime ? s.timezone2 + 1 : s.timezone2;
    form.FormSet();
    MarkerWindow(&form).ReflashList();
    form.TrackOn = 0;

    skydata::ConstellationState& c = skydata::Constellations();
    for (skydata::ConstellationSystem* system : {&c.W, &c.E, &c.O}) {
        skydata::BuildConstLabels(system->Labels, system->Data, s.viewcname);
    }
    astro::BuildExtinctionTable(s.AirExCoff);
    astro::BuildRefractionTable(static_cast<float>(s.Temperature), static_cast<float>(s.Pressure));

    if (s.RealTimeMode) s.CurrentJD = ClockJDInZone(s.timezone);
    skydata::PrecessMansionStars(skydata::StartupTables().MansionStarRA, s.CurrentJD, s.calcprecession);
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    astro::Planets().JDE = astro::JDToJDE(s.CurrentJD);
    astro::Planets().Obliquity = astro::MeanObliquity(s.CurrentJD - s.timezone / 24);
    form.SetMapBox();
    // A running animation's step may be due already (its ticks were held
    // while the file's tracks were computed): the opened chart stays for a
    // whole step first.
    if (form.Timer1->isActive()) form.Timer1->start();
}

void mnuOpen_Click(Form1& form) {
    const auto choice = AskForFile(platform::FileDialogKind::Open, DocumentKind::Chart, kOpenTitle, kChartFilter, "");
    if (!choice) return;
    const std::filesystem::path& path = choice->path;
    std::error_code ec;
    // A file that is not there would otherwise read as "every key absent"
    // and reset every setting.
    if (!std::filesystem::is_regular_file(path, ec)) {
        ShowFailure("zu 파일을 찾을 수 없습니다: " + path.string(), kOpenTitle);
        return;
    }
    skydata::SettingsLoadStatus opened;
    {
        // The file's tracks: a long computation shows its progress.
        const PathWorkScope with_progress(PathWork::WithProgress);
        opened = OpenSkyFile(path);
    }
    if (opened != skydata::SettingsLoadStatus::Loaded) {
        ShowFailure("zu 파일을 읽을 수 없습니다: " + path.string(), kOpenTitle);
        return;
    }
    ApplyOpenedChart(form);
    if (const std::string notice = OpenedSkyFileNotice(path); !notice.empty())
        platform::MsgBox(notice, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kOpenTitle);
}

void mnuSave_Click(Form1&) {
    const auto choice =
        AskForFile(platform::FileDialogKind::Save, DocumentKind::Chart, kSaveTitle, kChartFilter, DefaultChartName() + kChartExtension);
    if (!choice) return;
    try {
        SaveSkyFile(choice->path);
    } catch (const platform::RunTimeError&) {
        ShowFailure("zu 파일을 저장할 수 없습니다: " + choice->path.string(), kSaveTitle);
    }
}

void mnuPSave_Click(Form1& form) {
    const auto choice = AskForFile(platform::FileDialogKind::Save, DocumentKind::Picture, kPictureTitle,
                                   kPictureFilter, DefaultChartName());
    if (!choice) return;
    const PictureTarget target = ResolvePictureName(choice->path, choice->filter_index);
    // A name with another extension ("chart.txt") is saved in the chosen
    // format with its extension added: a name the dialog did not ask about.
    if (target.path != choice->path && !platform::MayReplace(target.path, kPictureTitle)) return;
    try {
        SavePicture(form.Picture1->Surface().Image(), target);
    } catch (const platform::RunTimeError& error) {
        ShowFailure(error.what(), kPictureTitle);
    }
}

void mnuClip_Click(Form1& form) {
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetImage(form.Picture1->Surface().Image());
}

void mnuInfo_Click() {
    platform::MsgBox(ui::AboutText(ui::DocumentationPage()), platform::MsgButtons::Ok, platform::MsgIcon::Information,
                     ui::kAboutTitle);
}

// Closing the main window stores the window size and the settings and ends
// the program, as closing it from its frame does.
void mnuexit_Click(Form1& form) { form.close(); }

}  // namespace

void InstallFileCommands(CommandTable& table) {
    table.Add("mnuOpen", [](Form1& form, int) { mnuOpen_Click(form); });
    table.Add("mnuSave", [](Form1& form, int) { mnuSave_Click(form); });
    table.Add("mnuPSave", [](Form1& form, int) { mnuPSave_Click(form); });
    table.Add("mnuClip", [](Form1& form, int) { mnuClip_Click(form); });
    table.Add("mnuInfo", [](Form1&, int) { mnuInfo_Click(); });
    table.Add("mnuHome", [](Form1&, int) { ui::OpenDocumentation(); });
    table.Add("mnuexit", [](Form1& form, int) { mnuexit_Click(form); });
}

}  // namespace zu
