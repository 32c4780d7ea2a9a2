#include "ui/app/application.h"

int main(int argc, char** argv) { return pictavo::RunPictavo(argc, argv); }
