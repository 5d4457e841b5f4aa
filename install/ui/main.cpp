// kelvora-install, the host of the installer module. Everything lives in installhost.cpp.
#include "install/ui/installhost.h"

int main(int argc, char *argv[])
{
    return kvr::ui::runInstallHost(argc, argv);
}
