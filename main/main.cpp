#include "main/ui/BrenmarkApplication.h"
#include "main/ui/TForm1.h"

int main(int argc, char *argv[])
{
    brenmark::BrenmarkApplication application(argc, argv);
    brenmark::TForm1 form;
    form.show();
    return application.exec();
}
