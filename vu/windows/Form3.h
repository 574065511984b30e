#pragma once
// The calendar's lunar/solar conversion table: for one year, the first day
// of every solar month with its lunar date, or the first day of every lunar
// month (leap months too) with its solar date and length, as plain text.
// The lunar-to-solar table prepares the lunisolar year table for its own
// year, so closing the window prepares the displayed year again.
#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vu {

// "2024년 3월 1일 (평)"; years up to 0 as "기원전 " and |year| + 1.
std::string MakeDay2(std::int16_t year, std::uint8_t month, std::uint8_t day, bool leap);

class Form3 final : public QDialog {
public:
    // month is the main window's month field; read_form_settings takes its
    // settings panel into the calendar's settings (nothing when empty).
    Form3(double month, std::function<void()> read_form_settings = {}, QWidget* owner = nullptr);
    ~Form3() override;

    // Kind 1 solar to lunar, 0 lunar to solar; writes the table and the title.
    void GenTransTable(std::int16_t year, std::uint8_t kind);
    // The table kind the options choose.
    std::uint8_t Kind() const;

    std::int16_t YearOffset = 0;

    QRadioButton* Option1[2] = {};  // 0 "음력->양력", 1 "양력->음력"
    QPlainTextEdit* Text1 = nullptr;
    // The text of Text1 as built, lines ending in CR LF.
    std::string Text1Text;
    QLabel* Label1 = nullptr;  // title
    QLabel* Label2 = nullptr;  // note on speed
    QPushButton* Command2[2] = {};
    QPushButton* Command1 = nullptr;

    // Escape and the dialog's other endings unload too.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Prepares the displayed year's lunisolar table and special days again.
    void Form_Unload();

    double month_;
    std::function<void()> read_form_settings_;
    bool unloaded_ = false;  // nothing to restore since the last unload
};

}  // namespace vu
