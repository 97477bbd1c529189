#include "base/PathWithin.h"

#include "base/BoundedJob.h"
#include "base/FileFinder.h"

#include <new>
#include <string>

namespace {

class FolderQuestion : public BoundedJob {
public:
    explicit FolderQuestion(const char* path) : path(path) {}
    void Run() override { exists = DirectoryExists(path.c_str()); }

    std::string path;
    bool exists = false;
};

} // namespace

bool DirectoryExistsWithin(const char* path, uint32_t limitMs, bool& timedOut) {
    timedOut = false;
    auto* question = new (std::nothrow) FolderQuestion(path);
    if (!question) {
        return DirectoryExists(path);
    }
    if (!RunWithin(question, limitMs, path)) {
        timedOut = true;
        return false;
    }
    bool exists = question->exists;
    delete question;
    return exists;
}
