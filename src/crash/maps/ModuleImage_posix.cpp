#include "crash/maps/ModuleImage.h"

#include <climits>
#include <link.h>
#include <unistd.h>

#include "crash/maps/ElfImage.h"
#include "crash/maps/MappedFile.h"

namespace {

struct Search {
  uintptr_t address;
  TModuleImage* image;
  bool found;
};

bool HoldsAddress(const dl_phdr_info& module, uintptr_t address) {
  for (int i = 0; i < module.dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = module.dlpi_phdr[i];
    const uintptr_t start = module.dlpi_addr + segment.p_vaddr;
    if (segment.p_type == PT_LOAD && start <= address && address - start < segment.p_memsz) return true;
  }
  return false;
}

// The program itself has no name among the loaded modules.
std::string ProgramFileName() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  return length > 0 ? std::string(path, size_t(length)) : std::string();
}

int Visit(dl_phdr_info* module, size_t, void* data) {
  auto& search = *static_cast<Search*>(data);
  const bool program = !module->dlpi_name || !*module->dlpi_name;
  if (search.address ? !HoldsAddress(*module, search.address) : !program) return 0;
  search.found = true;
  TModuleImage& image = *search.image;
  image.fileName = program ? ProgramFileName() : module->dlpi_name;
  image.bias = module->dlpi_addr;
  image.headersRead = RangesFromProgramHeaders(module->dlpi_phdr, module->dlpi_phnum,
                                               module->dlpi_addr, image.codeRange, image.dataRange);
  return 1;
}

}  // namespace

bool FindLoadedModule(uintptr_t address, TModuleImage& image) {
  Search search{address, &image, false};
  dl_iterate_phdr(Visit, &search);
  return search.found && !image.fileName.empty();
}

TModuleImage ModuleImageOfFile(const std::string& path) {
  TModuleImage image;
  image.fileName = path;
  TMappedFile file(path);
  if (file.IsOpen()) image.headersRead = RangesFromElfFile(file.Bytes(), image.codeRange, image.dataRange);
  return image;
}
