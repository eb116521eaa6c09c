#pragma once

#include <QDialog>
#include <QString>
#include <map>
#include <string>

class QGridLayout;
class QLabel;
class QPushButton;

namespace varelo {

class CVamor800Doc;

// A label that shows text read from the file rather than one of the program's texts.
inline constexpr char kFileTextProperty[] = "fileText";
class Settings;
class UserInterface;

// Dialog 129 "Information about measurement": the job, with buttons to the EN50160 conditions
// and diagnosis (128), the Logger (127), the interharmonic channels (131), the texts (130)
// and the printout.
class MeasurementInfoDialog : public QDialog {
    Q_OBJECT

public:
    enum class Button { Measurement, Logger, Interharmonics, Text, Print };

    MeasurementInfoDialog(CVamor800Doc& doc, Settings& settings, UserInterface& ui,
                          QWidget* parent = nullptr);

    QPushButton* ButtonOf(Button button) const;
    // The value shown in the row of the key (the neutral's when asked for); empty when the row
    // is not there.
    QString Value(const std::string& key, bool neutral = false) const;
    QString Label(const std::string& key) const;

    void ShowMeasurement();
    void ShowLogger();
    void ShowInterharmonics();
    void ChangeTexts();
    void Print();

private:
    void Refresh();

    CVamor800Doc& doc_;
    Settings& settings_;
    UserInterface& ui_;
    QGridLayout* grid_;
    std::map<Button, QPushButton*> buttons_;
    struct RowLabels {
        QLabel* label;
        QLabel* value;
        QLabel* neutral;
    };
    std::map<std::string, RowLabels> rows_;
};

// Command 33037: shows dialog 129 for the open measurement.
void ShowMeasurementInformation(CVamor800Doc& doc, Settings& settings, UserInterface& ui,
                                QWidget* parent);

}  // namespace varelo
