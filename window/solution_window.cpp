#include "window/solution_window.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "form/solution_text.h"
#include "form/teacher_sheet.h"
#include "window/layout.h"
#include "window/solution_view.h"
#include "window/texts.h"

namespace {

constexpr int Margin = 8;  // around the contents
// Narrow enough to stand beside the window on a 1366-pixel screen, wide enough for the picture.
constexpr QSize WindowSize(420, 560);

// What stands in the solution's place before there is one.
Texts::SolutionText Later() {
  Texts::SolutionText later;
  later.lines.emplace_back(Texts::SolutionLater);
  return later;
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  hide();
}

void PictureView::setPicture(std::optional<SolutionPicture> picture) {
  picture_ = std::move(picture);
  setVisible(picture_.has_value());
  if (picture_) {
    setFixedSize(picture_->width, picture_->height);
    setAccessibleName(ToQString(picture_->description));
  }
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (!picture_) {
    return;
  }
  QPainter painter(this);
  const QColor ink = ToQColor(Colours::PictureInk);
  painter.setPen(QPen(ink, 1));
  for (const PictureBox& box : picture_->boxes) {
    const QRect area(box.left, box.top, box.width, box.height);
    painter.fillRect(area, ToQColor(box.fill));
    if (box.hatched) {
      painter.fillRect(area, QBrush(ink, Qt::BDiagPattern));
    }
    painter.drawRect(area.adjusted(0, 0, -1, -1));
  }
  QFont labels = font();
  labels.setPixelSize(PictureFontPixels);
  painter.setFont(labels);
  for (const PictureLabel& label : picture_->labels) {
    painter.drawText(label.left, label.baseline, ToQString(label.text));
  }
}

SolutionWindow::SolutionWindow(QWidget* mainWindow)
    : SideWindow(mainWindow), text_(new SolutionView(this)), picture_(new PictureView(this)) {
  setObjectName("SolutionWindow");
  setWindowTitle(ToQString(Texts::SolutionHeading));
  // Under the solution, where a pupil who is done looks next, the way to problems of its kind.
  auto* practiceKey = new QLabel(ToQString(Texts::PracticeKey), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Margin, Margin, Margin, Margin);
  layout->addWidget(text_, 1);
  layout->addWidget(picture_, 0, Qt::AlignLeft);
  layout->addWidget(practiceKey);
  resize(WindowSize);
}

void SolutionWindow::showSolution(const std::optional<RowSolution>& solution) {
  text_->showSolution(solution ? Texts::WriteSolution(*solution) : Later());
  picture_->setPicture(solution ? DrawSolution(*solution) : std::nullopt);
}

QWidget* SolutionWindow::focusOnOpening() const {
  return text_;
}
