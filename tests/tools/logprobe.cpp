// Writes known log lines in its working directory, so that tests can check the
// log as a separate process sees it (the enabled levels only grow in a process).
#include "support/HDebug.h"
#include "support/HObject.h"

#include <cstring>
#include <string>

namespace {

class ProbeObject : public HObject {
  public:
    ProbeObject() { setClassName("ProbeObject"); }
};

void writeLines() {
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_START, "HButton", 50, "create");
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_END, "HButton", 50, "create");
    HDebug::print(HDebug::LEVEL_INFO, HDebug::FORMAT_INFO, "RZMagicLoader", 70, "load:error param");
    HDebug::debug("exec   : %s", "probe");
    HDebug::print(0x0001, "level one");
    HDebug::print(HDebug::LEVEL_DEBUG | HDebug::LEVEL_INFO, "two levels");
    HDebug silent("Silent", 0);
    HDebug::print(HDebug::LEVEL_DEBUG, "%s", std::string(3000, 'x').c_str());
    {
        ProbeObject object;
        object.printMessage("hello %d", 7);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "lines";
    HDebug::print(HDebug::LEVEL_INFO, "before start");
    HDebug::start();
    if (mode == "lines") {
        writeLines();
    } else if (mode == "rotate") {
        HDebug::print(HDebug::LEVEL_INFO, HDebug::FORMAT_INFO, "probe", 1, "first");
        HDebug::print(HDebug::LEVEL_INFO, HDebug::FORMAT_INFO, "probe", 2, "second");
    } else if (mode == "fill") {
        // Really writes past the limit: about 100,000 lines of 1,000 bytes.
        std::string text(1000, 'y');
        for (int i = 0; i < 103000; ++i) {
            HDebug::print(HDebug::LEVEL_INFO, "%s", text.c_str());
        }
    }
    HDebug::stop();
    HDebug::print(HDebug::LEVEL_INFO, "after stop");
    return 0;
}
