#include "app/VarnellApplication.h"

int main(int argc, char** argv) {
  varnell::VarnellApplication application(argc, argv);
  return application.InitInstance();
}
