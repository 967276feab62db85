#include "shell/HelpSeam.h"

namespace {
class SilentHelp final : public HelpService {
public:
  void ShowContents() override {}
  void SearchKeyword(const char*) override {}
  void ShowTopic(int) override {}
};

SilentHelp silentHelp;
HelpService* installed = &silentHelp;
}  // namespace

HelpService& Help() { return *installed; }
void SetHelp(HelpService* service) { installed = service ? service : &silentHelp; }
