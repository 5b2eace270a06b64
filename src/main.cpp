#include "mainwin/group_app.h"

int main(int argc, char** argv)
{
    return theApp.run(argc, argv);
}
