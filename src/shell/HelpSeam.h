#pragma once
// Help requests of the windows (contents, keyword search, numbered topics) go through
// this seam. The program installs its help viewer at start-up; tests install a recorder.
// Before anything is installed, requests are ignored. Interface thread only.

class HelpService {
public:
  virtual ~HelpService() = default;
  virtual void ShowContents() = 0;
  // A partial-keyword search; the empty keyword opens the viewer's search page.
  virtual void SearchKeyword(const char* keyword) = 0;
  virtual void ShowTopic(int contextNumber) = 0;
};

// The service in force (a silent one until SetHelp installs another).
HelpService& Help();
// Installs a service; null restores the silent one. The caller keeps ownership.
void SetHelp(HelpService* service);
