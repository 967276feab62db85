#include "app/HelpViewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/Icons.h"
#include "base/Exceptions.h"
#include "shell/Dialogs.h"

namespace {
// A text browser that takes its pages and pictures out of the help engine.
class HelpBrowser final : public QTextBrowser {
public:
  HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
    setOpenLinks(true);
    setOpenExternalLinks(true);
  }

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() == "qthelp") return engine_->fileData(name);
    return QTextBrowser::loadResource(type, name);
  }

private:
  QHelpEngine* engine_;
};

// Identifiers of numbered topics in the help file's index.
QString TopicIdentifier(int contextNumber) { return QString("topic-%1").arg(contextNumber); }
}  // namespace

THelpViewer::THelpViewer(std::string helpFile) : helpFile_(QString::fromStdString(helpFile)) {}
THelpViewer::~THelpViewer() { delete window_.data(); }

bool THelpViewer::OpenWindow() {
  const QString& file = helpFile_;
  if (!window_) {
    if (!QFileInfo::exists(file)) {
      ShowErrorBox(Format("The help file %s cannot be opened.", file.toStdString()));
      return false;
    }
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setObjectName("HelpViewer");
    window->setWindowTitle("Brenvoll Help");
    window->setWindowIcon(ProgramIcon());
    // Closing the main window ends the program even while the help is open.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->resize(820, 560);

    engine_ = new QHelpEngine(file, window);
    engine_->setReadOnly(true);
    if (!engine_->setupData()) {
      delete window;
      ShowErrorBox(Format("The help file %s cannot be opened.", file.toStdString()));
      return false;
    }
    tabs_ = new QTabWidget;
    tabs_->addTab(engine_->contentWidget(), "Contents");
    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexFilter_ = new QLineEdit;
    indexFilter_->setObjectName("HelpIndexFilter");
    indexFilter_->setPlaceholderText("Type the first letters of a keyword");
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(engine_->indexWidget());
    tabs_->addTab(indexPage, "Index");
    browser_ = new HelpBrowser(engine_, nullptr);
    browser_->setObjectName("HelpPage");
    // The pages' style sheet, given to every page (the text browser does not follow the
    // pages' own link to it).
    for (const QString& ns : engine_->registeredDocumentations()) {
      const QByteArray css = engine_->fileData(QUrl("qthelp://" + ns + "/doc/style.css"));
      if (!css.isEmpty()) browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css));
    }

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    QObject::connect(engine_->contentModel(), &QHelpContentModel::contentsCreated,
                     engine_->contentWidget(), [this] { engine_->contentWidget()->expandAll(); });
    QObject::connect(engine_->contentWidget(), &QHelpContentWidget::linkActivated, browser_,
                     [this](const QUrl& link) { ShowPage(link); });
    QObject::connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, browser_,
                     [this](const QHelpLink& link, const QString&) { ShowPage(link.url); });
    QObject::connect(indexFilter_, &QLineEdit::textChanged, engine_->indexWidget(),
                     [this](const QString& text) { engine_->indexWidget()->filterIndices(text); });
    QObject::connect(indexFilter_, &QLineEdit::returnPressed, engine_->indexWidget(),
                     &QHelpIndexWidget::activateCurrentItem);
    window_ = window;
  }
  // A window shown from a modal dialog must belong to that dialog, or the dialog's
  // modality would block it.
  QWidget* owner = QApplication::activeModalWidget();
  if (owner != window_->parentWidget()) {
    window_->setParent(owner, Qt::Window);
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
  return true;
}

void THelpViewer::ShowPage(const QUrl& page) { browser_->setSource(page); }

QUrl THelpViewer::CurrentPage() const { return browser_ && window_ ? browser_->source() : QUrl(); }

void THelpViewer::ShowContents() {
  if (!OpenWindow()) return;
  tabs_->setCurrentIndex(0);
  const QList<QHelpLink> start = engine_->documentsForIdentifier("contents");
  if (!start.isEmpty()) ShowPage(start.first().url);
}

void THelpViewer::SearchKeyword(const char* keyword) {
  if (!OpenWindow()) return;
  tabs_->setCurrentIndex(1);
  indexFilter_->setText(QString::fromUtf8(keyword));
  indexFilter_->setFocus();
}

void THelpViewer::ShowTopic(int contextNumber) {
  if (!OpenWindow()) return;
  const QList<QHelpLink> topic = engine_->documentsForIdentifier(TopicIdentifier(contextNumber));
  if (topic.isEmpty()) {
    ShowContents();
    return;
  }
  ShowPage(topic.first().url);
}
