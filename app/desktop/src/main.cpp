#include "desktop/program.h"

int main(int argc, char** argv)
{
    return fernwick::desktop::run_program(argc, argv);
}
