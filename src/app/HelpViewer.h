#pragma once
// The in-program help viewer: serves the help requests of the windows from the help
// file (contents, the keyword index, numbered topics). Its window is made at the first
// request and opens the file then, so start-up does not pay for it.

#include <QPointer>
#include <QString>

#include <string>

#include "shell/HelpSeam.h"

// The help file's name in the application directory: a Qt help collection that refers to
// the compressed help file "Brenvoll.qch" beside it.
inline constexpr const char* HelpFileName = "Brenvoll.qhc";

class QHelpEngine;
class QTabWidget;
class QLineEdit;
class QTextBrowser;
class QUrl;
class QWidget;

class THelpViewer final : public HelpService {
public:
  explicit THelpViewer(std::string helpFile);
  ~THelpViewer() override;

  void ShowContents() override;
  void SearchKeyword(const char* keyword) override;
  void ShowTopic(int contextNumber) override;

  // The page shown last (empty before any), for tests.
  QUrl CurrentPage() const;
  QWidget* Window() const { return window_; }

private:
  bool OpenWindow();
  void ShowPage(const QUrl& page);

  QPointer<QWidget> window_;
  QHelpEngine* engine_ = nullptr;  // owned by the window
  QTabWidget* tabs_ = nullptr;
  QLineEdit* indexFilter_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QString helpFile_;
};
