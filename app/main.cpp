// zoma-panel: the remote-control panel of the ZOMA LT540 and LT47 projectors.
#include "app/PanelStart.h"

int main(int argc, char* argv[]) {
    return zoma::runPanel(argc, argv);
}
