// Ovaline: the companion program of the document camera.
#include "ovaline_app.h"

int main(int argc, char **argv) {
    ovaline::app::COvalineApp app(argc, argv);
    return app.Run();
}
