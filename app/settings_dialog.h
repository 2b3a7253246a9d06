#pragma once
// The settings dialog: sampling rate, chart points per page, the port and
// where readings are published.
// It owns no setting; it loads them from the cycle and applies them through it.

#include <QDialog>

#include "session/cycle_runner.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace lcr {

inline constexpr int kSettingsWidth = 511;
// The designed 256, and rows for the port, the broker and the bench's name.
inline constexpr int kSettingsHeight = 364;
inline constexpr int kSettingsLeft = 659;
inline constexpr int kSettingsTop = 318;

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(CycleRunner& runner, QWidget* parent = nullptr);

  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QSpinBox* NumberEdit1 = nullptr;
  QSlider* TrackBar1 = nullptr;  // samples per minute
  QSlider* TrackBar2 = nullptr;  // chart points per page
  QLabel* Label5 = nullptr;
  QComboBox* ComboBox1 = nullptr;  // the port: "Automatic" or one the system lists
  QLabel* Label6 = nullptr;
  QLineEdit* PublishToEdit = nullptr;  // the broker URL readings are published to; empty: off
  QLabel* Label7 = nullptr;
  QLineEdit* BenchEdit = nullptr;  // this bench's name in the topics; empty: host and port
  QPushButton* suiButton1 = nullptr;  // Cancel
  QPushButton* suiButton2 = nullptr;  // Apply

 signals:
  // Apply changed the settings; the main window shows them.
  void settingsApplied();

 public slots:
  void FormCreate();
  void FormShow();
  void TrackBar1Change(int position);
  void suiTrackBar2Change(int position);
  void suiButton1Click();
  void suiButton2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void LoadSettings();
  // The ports there are now, the cycle's choice selected.
  void LoadPorts();
  void PlaceOnScreen();

  CycleRunner& runner_;
};

}  // namespace lcr
