#include "app/COstrelAVConverterApp.h"

int main(int argc, char** argv) {
  varnell::COstrelAVConverterApp application(argc, argv);
  return application.InitInstance();
}
