#include "skydata/StartupTables.h"

#include "skydata/SkyMath.h"

namespace skydata {

namespace {

constexpr double SolarTermDay(int k) { return 5.0 + 15.0 * k; }

SolarTerm MakeTerm(int k, std::string_view name, std::string_view hanja) {
    return {name, hanja, SolarTermDay(k), astro::Norm360(SolarTermDay(k) - 80.0)};
}

// 立 as stored: the compatibility ideograph U+F9F7.
#define ZU_LIP "\xEF\xA7\xB7"

StartupTablesState g_startup;

}  // namespace

const std::array<SolarTerm, 24> SolarTermTable = {
    MakeTerm(0, "소한", "小寒"),  MakeTerm(1, "대한", "大寒"),
    MakeTerm(2, "입춘", ZU_LIP "春"), MakeTerm(3, "우수", "雨水"),
    MakeTerm(4, "경칩", "驚蟄"),  MakeTerm(5, "춘분", "春分"),
    MakeTerm(6, "청명", "淸明"),  MakeTerm(7, "곡우", "穀雨"),
    MakeTerm(8, "입하", ZU_LIP "夏"), MakeTerm(9, "소만", "小滿"),
    MakeTerm(10, "망종", "芒種"), MakeTerm(11, "하지", "夏至"),
    MakeTerm(12, "소서", "小暑"), MakeTerm(13, "대서", "大暑"),
    MakeTerm(14, "입추", ZU_LIP "秋"), MakeTerm(15, "처서", "處暑"),
    MakeTerm(16, "백로", "白露"), MakeTerm(17, "추분", "秋分"),
    MakeTerm(18, "한로", "寒露"), MakeTerm(19, "상강", "霜降"),
    MakeTerm(20, "입동", ZU_LIP "冬"), MakeTerm(21, "소설", "小雪"),
    MakeTerm(22, "대설", "大雪"), MakeTerm(23, "동지", "冬至"),
};

#undef ZU_LIP

const std::array<RaDec, kMansionCount> MansionStarJ2000 = {{
    {201.2983333, -11.1613889}, {213.2241667, -10.2736111}, {222.7195833, -16.0416667},
    {239.7129167, -26.1141667}, {245.2970833, -25.5927778}, {252.9675, -38.0475},
    {271.4520833, -30.4241667}, {281.4141667, -26.9908333}, {305.2529167, -14.7813889},
    {311.9191667, -9.4958333},  {322.8895833, -5.5711111},  {331.4458333, -0.3197222},
    {346.1904167, 15.2052778},  {3.3091667, 15.1836111},    {11.8345833, 24.2672222},
    {28.66, 20.8080556},        {40.8629167, 27.7072222},   {56.87125, 24.105},
    {67.1541667, 19.1802778},   {83.705, 9.4894444},        {83.0016667, -0.2991667},
    {95.74, 22.5136111},        {127.89875, 18.0944444},    {129.4141667, 5.7036111},
    {141.8966667, -8.6586111},  {147.8695833, -14.8466667}, {164.94375, -18.2988889},
    {183.9516667, -17.5419444},
}};

StyleTables DefaultStyleTables() {
    StyleTables t;
    const std::int32_t layerColors[kLayerStyleCount] = {
        RgbColor(130, 160, 80),  RgbColor(160, 147, 80),  RgbColor(60, 160, 215),
        RgbColor(200, 200, 200), RgbColor(200, 200, 200), RgbColor(100, 100, 100),
        RgbColor(100, 100, 100), RgbColor(255, 255, 255), RgbColor(255, 255, 255),
        RgbColor(150, 150, 150), RgbColor(255, 0, 0)};
    for (int i = 0; i < kLayerStyleCount; ++i) {
        t.LayerStyle[i] = FontStyle{"Tahoma", 9, layerColors[i], false, false};
    }
    t.LayerStyle[10].FontName = "굴림";
    t.LayerStyle[10].FontSize_pt = 8;
    t.GridFontTable[0] = FontStyle{"굴림", 9, 0, false, false};
    t.GridFontTable[1] = FontStyle{"Tahoma", 9, 0, false, false};
    t.GridFontTable[2] = FontStyle{"Tahoma", 9, 0, false, false};
    t.LineColorTable = {RgbColor(250, 250, 250), RgbColor(84, 64, 10),   RgbColor(170, 150, 170),
                        RgbColor(180, 180, 10),  RgbColor(10, 10, 180),  RgbColor(90, 140, 100),
                        RgbColor(190, 90, 90),   RgbColor(50, 140, 190), RgbColor(128, 128, 128),
                        RgbColor(70, 100, 40),   RgbColor(100, 100, 100)};
    t.TwilightColors = {RgbColor(0, 0, 0),   RgbColor(0, 0, 64),      RgbColor(0, 0, 128),
                        RgbColor(0, 0, 255), RgbColor(176, 176, 208), RgbColor(63, 187, 239)};
    t.SpectralColors = {RgbColor(112, 224, 255), RgbColor(184, 237, 255), RgbColor(255, 255, 255),
                        RgbColor(255, 255, 176), RgbColor(255, 255, 138), RgbColor(255, 194, 112),
                        RgbColor(255, 142, 107)};
    return t;
}

StartupTablesState::StartupTablesState() { InitGanzhiAndMansionStars(MansionStarRA); }

StartupTablesState& StartupTables() { return g_startup; }

void ResetStartupTables() { g_startup = StartupTablesState(); }

void InitStyleDefaults(StyleTables& styles) { styles = DefaultStyleTables(); }

void InitGanzhiAndMansionStars(std::array<double, kMansionCount>& mansionStarRA) {
    for (int i = 0; i < kMansionCount; ++i) mansionStarRA[i] = MansionStarJ2000[i].RA_deg;
}

void PrecessMansionStars(std::array<double, kMansionCount>& mansionStarRA, double jd_local,
                         bool precessionOn) {
    if (!precessionOn) {
        InitGanzhiAndMansionStars(mansionStarRA);
        return;
    }
    for (int i = 0; i < kMansionCount; ++i) {
        double ra = 0, dec = 0;
        astro::PrecessFromJ2000(jd_local, MansionStarJ2000[i].RA_deg, MansionStarJ2000[i].Dec_deg,
                                0.0f, 0.0f, ra, dec);
        mansionStarRA[i] = astro::Norm360(ra);
    }
}

}  // namespace skydata
