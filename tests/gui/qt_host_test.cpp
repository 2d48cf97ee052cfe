#include "gui/qt_host.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include "form/form.h"
#include "gui/form_view.h"
#include "gui_test_app.h"

namespace gui {
namespace {

using form::Kind;

class QtHostTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureTestApp(); }
  QtHost qt;
  form::Host& host = qt.host();
};

TEST_F(QtHostTest, TimersTickWhileWaitingAndEnablingRestartsTheCountdown) {
  form::Form screen("Screen", host);
  form::Control* timer = screen.add(Kind::Timer, "Timer1");
  int ticks = 0;
  timer->onTimer = [&] { ++ticks; };
  timer->setInterval(20);
  form::WaitMs(host, 120);
  EXPECT_GT(ticks, 0);

  timer->setEnabled(false);
  ticks = 0;
  form::WaitMs(host, 60);
  EXPECT_EQ(ticks, 0);

  timer->setInterval(400);
  timer->setEnabled(true);
  auto* qtimer = qt.findChild<QTimer*>();
  ASSERT_TRUE(qtimer);
  form::WaitMs(host, 200);
  EXPECT_LT(qtimer->remainingTime(), 250);
  timer->setEnabled(true);
  EXPECT_GT(qtimer->remainingTime(), 300);
  EXPECT_EQ(ticks, 0);

  timer->setInterval(10);
  screen.remove(timer);
  form::WaitMs(host, 40);
  EXPECT_EQ(ticks, 0);
}

TEST_F(QtHostTest, ModalScreenOpensWithoutBlockingAndClosesWithItsWindow) {
  form::Form owner("MainScreen", host), setup("SetupScreen", host);
  owner.setVisible(true);
  setup.setSize(3000, 1500);
  setup.setCaption("Parameter Setup");
  FormView ownerView(owner);
  host.windows->showModal(setup, owner);
  FormView* window = qt.windowOf(setup);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(window->windowTitle(), "Parameter Setup");
  EXPECT_TRUE(setup.visible());
  EXPECT_EQ(owner.modalChild(), &setup);
  EXPECT_FALSE(owner.acceptsInput());

  window->close();  // the title bar's close button
  EXPECT_FALSE(setup.visible());
  EXPECT_TRUE(owner.acceptsInput());
  EXPECT_EQ(qt.windowOf(setup), nullptr);

  host.windows->showModal(setup, owner);
  ASSERT_TRUE(qt.windowOf(setup));
  host.windows->closeWindow(setup);
  EXPECT_FALSE(setup.visible());
  EXPECT_EQ(qt.windowOf(setup), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(QtHostTest, MessageBoxReportsTheButtonPressed) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&answer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      answer.stop();
      box->button(QMessageBox::Cancel)->click();
    }
  });
  answer.start(10);
  form::MessageBoxRequest request{.text = "Delete?",
                                  .title = "Setup",
                                  .buttons = form::MsgButtons::OkCancel,
                                  .icon = form::MsgIcon::Question};
  EXPECT_EQ(host.messages->show(request), form::MsgResult::Cancel);
}

TEST_F(QtHostTest, SaveDialogOffersTheNameInTheUsersFolderAndGivesTheChoice) {
  QString offered;
  int dialogs = 0;
  QTimer answer;
  QPointer<QFileDialog> answered;  // a dialog already answered may still be the modal one
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible() && dialog != answered) {
      answered = dialog;
      offered = dialog->selectedFiles().value(0);
      if (++dialogs == 1) {
        dialog->reject();
      } else {
        answer.stop();
        dialog->selectFile(QDir::temp().filePath("chosen.txt"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own accept, public in QDialog
      }
    }
  });
  answer.start(10);
  const form::SaveFileRequest request{
      .title = "Capture", .suggestedName = "ba-capture-1.txt", .filter = "Text files (*.txt)"};
  EXPECT_EQ(host.files->saveFileName(request), std::nullopt);
  EXPECT_TRUE(offered.endsWith("/ba-capture-1.txt")) << offered.toStdString();
  EXPECT_TRUE(offered.startsWith(QDir::homePath())) << offered.toStdString();
  const auto chosen = host.files->saveFileName(request);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QDir::cleanPath(QString::fromStdString(*chosen)),
            QDir::cleanPath(QDir::temp().filePath("chosen.txt")));
}

TEST_F(QtHostTest, ImagesAreCheckedByTheirContent) {
  QTemporaryDir dir;
  QImage(4, 4, QImage::Format_RGB32).save(dir.filePath("led.bmp"));
  QFile text(dir.filePath("notes.bmp"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture");
  text.close();
  const std::string folder = dir.path().toStdString();
  EXPECT_TRUE(host.images->canLoad(folder + "/led.bmp"));
  EXPECT_TRUE(host.images->canLoad(folder + "\\led.bmp"));
  EXPECT_FALSE(host.images->canLoad(folder + "/notes.bmp"));
  EXPECT_FALSE(host.images->canLoad(folder + "/missing.bmp"));
}

}  // namespace
}  // namespace gui
