// tarvel-templategen: writes the database every new project starts from.
#include <cstdio>
#include <exception>
#include <string>

#include "TemplateDataBase.h"
#include "data/LD_DataBase.h"

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs("usage: tarvel-templategen OUTFILE   (the editor's QUORIN.qdb.dat)\n", stderr);
        return 2;
    }
    try {
        tarvel::TQelDataBase db;
        tarvel::starter::FillTemplateDataBase(db);
        db.SaveToFile(argv[1]);
        std::printf("%s\n", argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvel-templategen: %s\n", e.what());
        return 1;
    }
}
