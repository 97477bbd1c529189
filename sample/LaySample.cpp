// VLSample: lays a complete sample installation of Velmont (or one with a typical fault) into
// the current Windows or Wine prefix, for the Doctor to diagnose. Any earlier sample is removed
// first, so variants can be laid one after another.
#include "SampleFiles.h"
#include "SampleRegistry.h"
#include "SampleUsers.h"
#include "SampleVariant.h"
#include "Wine.h"

#include "base/SystemPaths.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void PrintUsage(FILE* out) {
    fprintf(out, "Usage: VLSample VARIANT | clean\nVariants (analysis result, fault):\n");
    for (const SampleVariant& variant : SampleVariants()) {
        fprintf(out, "  %-22s %s\n", variant.name.c_str(), variant.outcome.c_str());
    }
    fprintf(out, "  %-22s removes the sample\n", "clean");
}

// The stubs are built into the folder "sample" beside this program.
std::string StubFolder() {
    std::string program = ModulePath(nullptr).Text();
    return program.substr(0, program.rfind('\\')) + "\\sample";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "/?" || name == "-?") {
        PrintUsage(stdout);
        return 0;
    }
    const SampleVariant* variant = FindSampleVariant(name);
    if (!variant && name != "clean") {
        fprintf(stderr, "VLSample: unknown variant '%s'\n", name.c_str());
        PrintUsage(stderr);
        return 2;
    }
    RequireWine("VLSample");
    std::string stubs = StubFolder();
    RemoveSampleRegistry();
    RemoveSampleFiles(stubs);
    RemoveSampleUsers();
    if (!variant || !variant->installed) {
        return 0;
    }
    if (!LaySampleRegistry(*variant) || !LaySampleFiles(*variant, stubs) ||
        !LaySampleUsers(*variant)) {
        fprintf(stderr, "VLSample: could not lay the sample '%s' completely\n", name.c_str());
        return 1;
    }
    return 0;
}
