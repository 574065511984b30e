#pragma once
// The print dialog of the sky chart: the installed printers and a PDF file,
// two ways of printing (an all-sky chart in the horizontal frame, or the
// chart as the screen shows it), a title and a number of copies. Each copy is
// one job of one page, drawn anew; the job reports in panel 4 of the main
// window's status bar and in the dialog's caption.
#include <QDialog>

#include <filesystem>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zu {

class FrmPrint final : public QDialog {
public:
    explicit FrmPrint(QWidget* owner);

    // Fills the printer list (the printers, then the PDF file entry) and
    // puts the fields as a new dialog has them; the constructor calls it.
    void Form_Load();
    // The printer of the current list entry becomes the printer of the jobs.
    void Combo2_Change();
    // 0 prints, 1 closes the dialog.
    void CmdPrint_Click(int index);

    // One job each; false when it failed (the user has been told).
    bool PrintAllSkyChart(const std::string& title, int starNameLang, int printerIndex);
    bool PrintChart(const std::string& printTitle, double latitude, double siderealTime, double centerX,
                    double centerY, double fov, int starNameLang, int printerIndex);

    QLabel* Label1[6] = {};
    QComboBox* Combo2 = nullptr;
    QRadioButton* Option1[2] = {};
    QLineEdit* TxtPName = nullptr;
    QLineEdit* TxtPNum = nullptr;
    QPushButton* CmdPrint[2] = {};

private:
    void Status(const std::string& text);
    bool IsPdfEntry(int index) const;

    std::vector<std::string> printers_;
    int printer_ = 0;
    // The PDF file of the job in progress, when printing to a file.
    std::filesystem::path pdf_;
};

// The file of copy `copy` (from 1) of a PDF print: "name.pdf", "name-2.pdf", ...
std::filesystem::path PdfCopyPath(const std::filesystem::path& chosen, int copy);

}  // namespace zu
