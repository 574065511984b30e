// The picked-object list of the main window and the object pop-up menu built
// from it; the sky position of a pressed point as an end of a user line.
#include <QAction>
#include <QString>

#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "skydata/Catalogs.h"
#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "zu/main/Form1.h"
#include "zu/main/MouseReadout.h"
#include "zu/main/ObjectPosition.h"
#include "zu/main/Pick.h"

namespace zu {
namespace {

constexpr int kObjectItems = 5;
constexpr double kNeverRisesOrSets_h = 25;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The pop-up caption of a used slot.
std::string ItemCaption(const KeyParts& parts, const std::string& key, const std::string& name) {
    const skydata::CatalogState& catalogs = skydata::Catalogs();
    const auto star_magnitude = [&](const auto& zones) -> std::optional<double> {
        if (parts.zone < 0 || parts.zone >= static_cast<long>(zones.size())) return std::nullopt;
        const auto& list = zones[static_cast<std::size_t>(parts.zone)];
        if (parts.index < 0 || parts.index >= static_cast<long>(list.size())) return std::nullopt;
        return list[static_cast<std::size_t>(parts.index)].Mag;
    };
    switch (parts.letter) {
        case 'S':
            if (const auto mag = star_magnitude(catalogs.BscStar)) return StarItemCaption(name, *mag, true);
            return name;
        case 'E':
            if (const auto mag = star_magnitude(catalogs.S2kStar)) return StarItemCaption(name, *mag, false);
            return name;
        case '(': {
            const int slot = key.size() > 3 ? key[3] - '1' : -1;
            if (slot < 0 || slot > 1) return name;
            return skydata::UserCatalogModule().Catalogs[static_cast<std::size_t>(slot)].Name + " - " + name;
        }
        default:
            return name;
    }
}

}  // namespace

void Form1::ClearObjList() { PickList.fill("Null"); }

void Form1::AddObjList(const std::string& key) {
    for (std::string& slot : PickList) {
        if (slot == "Null") {
            slot = key;
            return;
        }
    }
}

void Form1::ObjMenuSet() {
    const MainMenus& m = *Menus;
    QAction* track = m.Action("mnuTrack");
    QAction* objTime = m.Action("mnuObjTime");
    QAction* trailAdd = m.Action("mnuTrailadd");

    track->setEnabled(true);
    track->setVisible(true);
    objTime->setVisible(true);
    objTime->setEnabled(true);
    trailAdd->setVisible(false);
    bool nothing = true;
    int selected = 0;

    for (int i = 0; i < kObjectItems; ++i) {
        const std::string& key = PickList[static_cast<std::size_t>(i)];
        const KeyParts parts = SplitObjectKey(key);
        QAction* item = m.Action("mnuObjList", i);
        item->setVisible(true);
        if (parts.letter == 'N') {
            item->setVisible(false);
            continue;
        }
        selected = i;
        nothing = false;
        const auto place = GetObjectPosition(key);
        // A key of the last drawing always names a loaded object; the key
        // itself stands in should a table have changed since.
        const std::string name = place ? place->Name : key;
        track->setText(Q("좌표 고정: " + name));
        objTime->setText(Q("시각 조절: " + name));
        item->setText(Q(ItemCaption(parts, key, name)));
        if (parts.letter == 'P' || parts.letter == 'C' || parts.letter == 'A') {
            trailAdd->setText(Q("궤적 추가: " + name));
            trailAdd->setVisible(true);
            TrailAddKey = std::to_string(parts.index);
            TrailAddKey.insert(TrailAddKey.begin(), parts.letter);
        }
    }

    MenuObjKey = PickList[static_cast<std::size_t>(selected)];
    if (nothing) {
        track->setEnabled(false);
        objTime->setEnabled(false);
        MenuObjKey = "Null";
    }

    if (MenuObjKey != "Null") {
        const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        const KeyParts parts = SplitObjectKey(MenuObjKey);
        double rise = -1, transit = -1, set = -1;
        if (parts.letter != 'P') {
            if (const auto place = GetObjectPosition(MenuObjKey)) {
                if (place->CoordKind == "a") {
                    objTime->setEnabled(false);
                    objTime->setText(Q("시각 조절: " + place->Name + "는(은) 지평좌표를 쓰고 있습니다."));
                }
                const bool fixed = astro::FixedRiseSet(s.CurrentJD, s.lat, s.lon, place->RA_deg, place->Dec_deg,
                                                       rise, set, transit);
                if (fixed) {
                    rise = kNeverRisesOrSets_h;
                    set = kNeverRisesOrSets_h;
                }
            }
        } else if (parts.index >= 0 && parts.index < astro::kPlanetCount) {
            astro::PlanetRiseSet(astro::RoundToHalf(s.CurrentJD), s.lat, s.lon, static_cast<int>(parts.index), rise,
                                 transit, set);
            // The planet table describes the chart moment again.
            astro::CalcPlanets(s.CurrentJD);
        }
        const RiseTransitSetItems items = MakeRiseTransitSetItems(rise, transit, set);
        QAction* riseItem = m.Action("mnuObjRTS", 0);
        QAction* transitItem = m.Action("mnuObjRTS", 1);
        QAction* setItem = m.Action("mnuObjRTS", 2);
        riseItem->setVisible(items.rise_visible);
        transitItem->setEnabled(items.transit_enabled);
        setItem->setVisible(items.set_visible);
        riseItem->setText(Q(items.rise_caption));
        transitItem->setText(Q(items.transit_caption));
        setItem->setText(Q(items.set_caption));
    }

    m.Action("mnusperate")->setVisible(!nothing);
}

void Form1::SetLinePoint(int which) {
    std::array<double, 2>& end = which == 1 ? LineStart : LineEnd;
    CatalogPlaceUnderPixel(PressX, PressY, end[0], end[1]);
}

}  // namespace zu
