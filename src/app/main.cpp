#include "app/KOrvellaProgram.h"

int main(int argc, char *argv[])
{
    return KOrvellaProgram::Run(argc, argv);
}
