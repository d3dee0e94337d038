#pragma once

#include <QSize>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace ui {

// Every control of the main window, under the names the handlers use; arrays keep their indices.
struct Form1Controls {
    QWidget *central = nullptr;

    QGroupBox *statusFrame = nullptr;
    QLineEdit *Text1 = nullptr;
    QListWidget *List1 = nullptr;
    std::array<QLabel *, 10> Label2{}; // 0 date, 1 class, 2 homework, 8 handed in, 9 missing
    // Takes the place of the class label when the teacher has two classes.
    QComboBox *classChoice = nullptr;

    QFrame *Frame2 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command2 = nullptr;
    QFrame *Frame12 = nullptr;
    QPushButton *Command5 = nullptr;

    std::array<QPushButton *, 17> Command3{}; // 1..16
    QGroupBox *recentFrame = nullptr;
    std::array<QPushButton *, 11> Command16{};
    QGroupBox *latestFrame = nullptr;
    std::array<QPushButton *, 8> Command20{};

    QGroupBox *queryFrame = nullptr;
    std::array<QPushButton *, 6> Command4{}; // 0, 2..5
    QGroupBox *Frame10 = nullptr;
    std::array<QPushButton *, 5> Command11{}; // 1..4
    QListWidget *List2 = nullptr;
    QListWidget *List3 = nullptr;
    QListWidget *List4 = nullptr;

    QFrame *Frame14 = nullptr;
    QLabel *Label11 = nullptr;
    QPushButton *Command13 = nullptr;
    std::array<QPushButton *, 2> Command12{};
    QListWidget *List6 = nullptr;
    QListWidget *List7 = nullptr;
    QPushButton *Command14 = nullptr;
    // Shows who handed the shown book in instead of who is missing it.
    QPushButton *handedInSwitch = nullptr;
    std::array<QPushButton *, 5> Command15{};

    QGroupBox *Frame13 = nullptr;
    std::array<QLabel *, 9> Label15{}; // 0..4 warning and prompt, 8 the busy notice
    QLineEdit *Text6 = nullptr;
    // The class of the summary documents, shown when there are two.
    std::array<QRadioButton *, 2> summaryClass{};
    QPushButton *Command18 = nullptr;
    QPushButton *Command19 = nullptr;
    QFrame *Frame17 = nullptr;

    QGroupBox *Frame6 = nullptr;
    std::array<QLineEdit *, 2> Text3{};
    QLabel *Label6 = nullptr;
    QPushButton *Command8 = nullptr;
    QGroupBox *Frame9 = nullptr;
    std::array<QLineEdit *, 32> Text4{};
    QLabel *Label8 = nullptr;
    QPushButton *Command9 = nullptr;
    std::array<QPushButton *, 2> Command10{};
    QLabel *pupilListHint = nullptr;
    QGroupBox *Frame16 = nullptr;
    std::array<QListWidget *, 4> List8{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command17 = nullptr;

    QPushButton *Command7 = nullptr;
    QTimer *Timer1 = nullptr;

    // Menu items.
    QAction *bjsz = nullptr;
    QAction *zysz = nullptr;
    QAction *xsmd = nullptr;
    QAction *xksz = nullptr;
    QAction *csmddr = nullptr;
    QAction *jczydr = nullptr;
    QAction *sjqk = nullptr;
    QAction *sjhf = nullptr;
    QAction *mmsd = nullptr;
    QAction *scanSounds = nullptr;
    QAction *renwufabu = nullptr;
    QAction *sjcjlr = nullptr;
    QAction *wwqkdc = nullptr;
    QAction *dtwfqkdc = nullptr;
    QAction *jcqkfssc = nullptr;
};

// The main window is the largest of all windows: the layout scale that fits it to the screen's
// available area is the one every window is built with. 1 where it fits at its design size, never
// larger; decided before the first window is built.
void fitLayoutTo(QSize available);
void fitLayoutToPrimaryScreen();

// Creates every control of the main window in its place; panels of later steps start hidden.
void buildForm1(QMainWindow *window, Form1Controls &ui);

// A panel opens over the work area, above whatever it holds.
void showPanel(QWidget *panel);

// Today's homework buttons go back to their two columns.
void placeTodayButtons(Form1Controls &ui);

} // namespace ui
