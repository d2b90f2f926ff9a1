// smart-sample-drives FOLDER [SOURCE...]: writes the sample drives (all, or those named) as drive 0,
// 1, ... into FOLDER, for a program started with VANTREL_SMART_DIR=FOLDER.
#include <cstdio>
#include <string>

#include "tests/hardware/SmartSamples.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: smart-sample-drives FOLDER [SOURCE...]\n");
        for (const SampleDrive& drive : SampleDrives()) {
            std::fprintf(stderr, "  %s: %s\n", drive.source, drive.model);
        }
        return 2;
    }
    int drive = 0;
    for (const SampleDrive& sample : SampleDrives()) {
        bool chosen = argc == 2;
        for (int i = 2; i < argc; ++i) {
            chosen = chosen || sample.source == std::string(argv[i]);
        }
        if (chosen && !WriteSampleDriveFiles(argv[1], drive++, sample)) {
            std::fprintf(stderr, "cannot write into %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}
