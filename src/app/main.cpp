#include "StartUp.h"

int main(int argc, char** argv) {
    return tarvel::RunEditor(argc, argv);
}
