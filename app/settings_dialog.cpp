#include "app/settings_dialog.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>

#include "link/port_list.h"
#include "publish/bench_name.h"
#include "publish/broker_url.h"
#include "app/message_box.h"
#include "views/main_layout.h"
#include "app/elided_combo_box.h"
#include "app/ticked_slider.h"

namespace lcr {

namespace {

QSlider* MakeSlider(const char* name, QWidget* parent, int minimum, int maximum, int page, int position,
                    QRect geometry) {
  auto* slider = new TickedSlider(Qt::Horizontal, parent);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setRange(minimum, maximum);
  slider->setPageStep(page);
  slider->setSingleStep(1);
  slider->setValue(position);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(page);
  slider->setGeometry(geometry);
  return slider;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  return label;
}

}  // namespace

TForm2::TForm2(CycleRunner& runner, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      runner_(runner) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("System Seting"));
  setModal(true);
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setFixedSize(kSettingsWidth, kSettingsHeight);
  move(kSettingsLeft, kSettingsTop);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(10, 8, kSettingsWidth - 20, kSettingsHeight - 18);

  Label4 = MakeLabel("Label4", QStringLiteral("Max Points Per Page"), GroupBox1, QRect(20, 22, 150, 22));
  NumberEdit1 = new QSpinBox(GroupBox1);
  NumberEdit1->setObjectName(QStringLiteral("NumberEdit1"));
  NumberEdit1->setReadOnly(true);
  NumberEdit1->setButtonSymbols(QAbstractSpinBox::NoButtons);
  NumberEdit1->setRange(0, 100000);
  NumberEdit1->setValue(kDefaultPointsPerPage);
  NumberEdit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  NumberEdit1->setGeometry(180, 20, 80, 24);
  NumberEdit1->setFocusPolicy(Qt::ClickFocus);  // a read-out: Tab goes to the sliders
  TrackBar2 = MakeSlider("TrackBar2", GroupBox1, 50, 500, 50, kDefaultPointsPerPage, QRect(20, 52, 450, 34));

  Label1 = MakeLabel("Label1", QStringLiteral("Sampling Rate:"), GroupBox1, QRect(20, 100, 110, 22));
  Label3 = MakeLabel("Label3", QStringLiteral("120/Minute"), GroupBox1, QRect(132, 100, 120, 22));
  TrackBar1 = MakeSlider("TrackBar1", GroupBox1, 1, 120, 10, 120, QRect(20, 128, 450, 34));

  Label5 = MakeLabel("Label5", QStringLiteral("Port"), GroupBox1, QRect(20, 178, 110, 22));
  ComboBox1 = new ElidedComboBox(GroupBox1);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setGeometry(132, 177, 338, 24);
  ComboBox1->addItem(QStringLiteral("Automatic"), QString());

  Label6 = MakeLabel("Label6", QStringLiteral("Publish to"), GroupBox1, QRect(20, 214, 110, 22));
  PublishToEdit = new QLineEdit(GroupBox1);
  PublishToEdit->setObjectName(QStringLiteral("PublishToEdit"));
  PublishToEdit->setGeometry(132, 213, 338, 24);
  PublishToEdit->setPlaceholderText(QStringLiteral("mqtt://host/prefix (empty: off)"));
  PublishToEdit->setClearButtonEnabled(true);
  Label7 = MakeLabel("Label7", QStringLiteral("Bench"), GroupBox1, QRect(20, 250, 110, 22));
  BenchEdit = new QLineEdit(GroupBox1);
  BenchEdit->setObjectName(QStringLiteral("BenchEdit"));
  BenchEdit->setGeometry(132, 249, 338, 24);
  BenchEdit->setMaxLength(int(kMaxBenchNameLength));
  // One topic level: no separators or wildcards.
  const QString notInName = QRegularExpression::escape(QString::fromLatin1(kNotInBenchName.data(), kNotInBenchName.size()));
  BenchEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^%1]*").arg(notInName)), BenchEdit));

  suiButton1 = new QPushButton(QStringLiteral("Cancel"), GroupBox1);
  suiButton1->setObjectName(QStringLiteral("suiButton1"));
  suiButton1->setGeometry(270, 294, 95, 30);
  suiButton2 = new QPushButton(QStringLiteral("Apply"), GroupBox1);
  suiButton2->setObjectName(QStringLiteral("suiButton2"));
  suiButton2->setGeometry(375, 294, 95, 30);
  suiButton2->setDefault(true);

  connect(TrackBar1, &QSlider::valueChanged, this, &TForm2::TrackBar1Change);
  connect(TrackBar2, &QSlider::valueChanged, this, &TForm2::suiTrackBar2Change);
  connect(ComboBox1, &QComboBox::currentTextChanged, ComboBox1, &QWidget::setToolTip);
  connect(suiButton1, &QPushButton::clicked, this, &TForm2::suiButton1Click);
  connect(suiButton2, &QPushButton::clicked, this, &TForm2::suiButton2Click);

  FormCreate();
}

void TForm2::LoadSettings() {
  const WindowModel& w = runner_.cycle().win;
  TrackBar2->setValue(w.pointsPerPage);
  TrackBar1->setValue(RateFromInterval(w.showTime.intervalMs));
  PublishToEdit->setText(QString::fromStdString(runner_.cycle().publishTo));
  BenchEdit->setText(QString::fromStdString(runner_.cycle().benchName));
}

void TForm2::FormCreate() { LoadSettings(); }

void TForm2::FormShow() {
  LoadSettings();
  LoadPorts();
}

void TForm2::LoadPorts() {
  const QString chosen = QString::fromStdString(runner_.cycle().portChoice);
  const QList<PortListing> ports = ListPortsNow();
  const qsizetype found = FindPort(ports, chosen);
  ComboBox1->clear();
  ComboBox1->addItem(QStringLiteral("Automatic"), QString());
  for (const PortListing& port : ports) ComboBox1->addItem(PortLabel(port), port.Choice());
  int current = found >= 0 ? int(found) + 1 : 0;
  // A chosen port that is unplugged now stays chosen.
  if (!chosen.isEmpty() && found < 0) {
    ComboBox1->addItem(QStringLiteral("%1 (not connected)").arg(chosen), chosen);
    current = ComboBox1->count() - 1;
  }
  ComboBox1->setCurrentIndex(current);
  // The box cuts long stable names; the tooltips and the list show them whole.
  for (int i = 0; i < ComboBox1->count(); ++i) ComboBox1->setItemData(i, ComboBox1->itemText(i), Qt::ToolTipRole);
  ComboBox1->view()->setMinimumWidth(ComboBox1->view()->sizeHintForColumn(0) + 8);
}

void TForm2::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    FormShow();
    PlaceOnScreen();
  }
  QDialog::showEvent(event);
}

// At the designed place on the screen that shows the main window, but never
// partly off that screen's free area.
void TForm2::PlaceOnScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (!screen) return;
  const QRect whole = screen->geometry();
  const QRect free = screen->availableGeometry();
  const QSize size = frameGeometry().size();
  const LayoutRect at = KeepInside({whole.left() + kSettingsLeft, whole.top() + kSettingsTop, size.width(), size.height()},
                                   {free.left(), free.top(), free.width(), free.height()});
  move(at.left, at.top);
}

void TForm2::TrackBar1Change(int position) { Label3->setText(QStringLiteral("%1/Minute ").arg(position)); }

void TForm2::suiTrackBar2Change(int position) { NumberEdit1->setValue(position); }

void TForm2::suiButton1Click() { reject(); }

void TForm2::suiButton2Click() {
  std::string why;
  const QString url = PublishToEdit->text().trimmed();
  if (!url.isEmpty() && !ParseBrokerUrl(url.toStdString(), &why)) {
    ShowMessage(QMessageBox::Warning, this, windowTitle(), QString::fromStdString(why));
    PublishToEdit->setFocus(Qt::OtherFocusReason);
    return;
  }
  ApplySettings(runner_.cycle(), TrackBar2->value(), TrackBar1->value());
  runner_.cycle().portChoice = ComboBox1->currentData().toString().toStdString();
  runner_.cycle().publishTo = PublishToEdit->text().trimmed().toStdString();
  runner_.cycle().benchName = BenchEdit->text().trimmed().toStdString();
  runner_.applyTimers();
  emit settingsApplied();
  accept();
}

}  // namespace lcr
