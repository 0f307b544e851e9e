// Form1's controls: their captions, their positions and the handlers they raise.
#include "app/form1.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "app/background_picture.h"
#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/path_box.h"
#include "app/qt_message_boxes.h"
#include "app/qt_text.h"

namespace tq {
namespace {

// Positions are kept in twips, as the window was laid out; Qt scales pixels for high-DPI screens.
constexpr int kTwipsPerPixel = 15;

int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
  return control;
}

QLabel* Caption(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

QGroupBox* Frame(QWidget* parent, const char* caption) { return new QGroupBox(QString::fromUtf8(caption), parent); }

QPushButton* Button(QWidget* parent, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  // A focused button answers Enter, as on Windows; no button is the window's default, so
  // Enter elsewhere (in the file list) starts nothing.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

Form1::Form1(FileSystem files, MessageBoxes* boxes)
    : logic_(*this, std::move(files)),
      ownBoxes_(boxes == nullptr ? std::make_unique<QtMessageBoxes>(this) : nullptr),
      boxes_(boxes == nullptr ? *ownBoxes_ : *boxes) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(ToQString(kProgramTitle));
  setFixedSize(Pixels(9090), Pixels(6495));
  BuildBackground();
  BuildFolderBoxes();
  BuildSourceGroup();
  BuildDestinationGroup();
  BuildMessageFrame();
  BuildButtons();
  logic_.FillBrowsers();
  ConnectHandlers();
}

Form1::~Form1() { SetMousePointer(kPointerDefault); }

void Form1::BuildBackground() { Picture1 = Place(new BackgroundPicture(this), "Picture1", 0, 0, 9075, 6495); }

// Built in layout order, which is also the tab order.
void Form1::BuildFolderBoxes() {
  Label2 = Place(Caption(Picture1, "変換元ﾌｧｲﾙ名 ："), "Label2", 240, 300, 2235, 315);
  Text2 = Place(new PathBox(Picture1), "Text2", 2400, 240, 6255, 405);
  Label1 = Place(Caption(Picture1, "変換先ﾌｫﾙﾀﾞ名 ："), "Label1", 240, 900, 2235, 315);
  Text1 = Place(new PathBox(Picture1), "Text1", 2400, 840, 6255, 405);
}

void Form1::BuildSourceGroup() {
  Frame2 = Place(Frame(Picture1, "変換元ﾌｧｲﾙ名選択"), "Frame2", 240, 1620, 5535, 2895);
  Dir2 = Place(new FolderList(Frame2), "Dir2", 180, 420, 2595, 1530);
  Drive2 = Place(new DriveList(Frame2), "Drive2", 180, 2220, 2595, 390);
  List1 = Place(new QListWidget(Frame2), "List1", 3000, 240, 2295, 2490);
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void Form1::BuildDestinationGroup() {
  Frame1 = Place(Frame(Picture1, "変換先ﾌｫﾙﾀﾞ名選択"), "Frame1", 6000, 1620, 2715, 2895);
  Dir1 = Place(new FolderList(Frame1), "Dir1", 120, 420, 2415, 1530);
  Drive1 = Place(new DriveList(Frame1), "Drive1", 120, 2220, 2415, 390);
}

void Form1::BuildMessageFrame() {
  Frame3 = Place(Frame(Picture1, "メッセージ"), "Frame3", 240, 4740, 8475, 675);
  Label3 = Place(new QLabel(Frame3), "Label3", 180, 240, 8175, 315);
  // Shown over the free right end of the caption during a run of several files.
  ProgressBar1 = Place(new QProgressBar(Frame3), "ProgressBar1", 5400, 240, 2955, 315);
  ProgressBar1->setFormat(QStringLiteral("%v / %m"));
  ProgressBar1->hide();
}

void Form1::BuildButtons() {
  Command1 = Place(Button(Picture1, "実  行"), "Command1", 2520, 5580, 1935, 555);
  Command2 = Place(Button(Picture1, "終  了"), "Command2", 5160, 5580, 2055, 555);
}

void Form1::ConnectHandlers() {
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Picture1, &BackgroundPicture::MouseMove, this, &Form1::Picture1_MouseMove);
  for (Browser browser : {Browser::kDestination, Browser::kSource}) {
    connect(&DriveListOf(browser), &QComboBox::currentIndexChanged, this,
            [this, browser](int index) { logic_.DriveSelected(browser, index); });
    connect(&FolderListOf(browser), &FolderList::EntryOpened, this,
            [this, browser](int entry) { logic_.FolderOpened(browser, entry); });
  }
}

DriveList& Form1::DriveListOf(Browser browser) const { return browser == Browser::kDestination ? *Drive1 : *Drive2; }

FolderList& Form1::FolderListOf(Browser browser) const { return browser == Browser::kDestination ? *Dir1 : *Dir2; }

}  // namespace tq
