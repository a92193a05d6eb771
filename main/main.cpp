#include "about/ui/TfmAbout.h"
#include "information/ui/TfmInfo.h"
#include "main/core/modulehost/ProgramDirectory.h"
#include "main/core/modulehost/ProgramPaths.h"
#include "main/ui/BrenmarkApplication.h"
#include "main/ui/TForm1.h"
#include "main/ui/TerminationSignals.h"
#include "options/ui/TfmOptions.h"

#include <string>

int main(int argc, char *argv[])
{
    using namespace brenmark;
    BrenmarkApplication application(argc, argv);
    const QString programDir = programDirectory();

    // The main window first: it is the one whose closing ends the program.
    TForm1 form;
    TfmAbout about(&form);
    TfmOptions options(optionsIniPath(programDir), &form);
    TfmInfo info(&form);
    form.setDialogs(&about, &options, &info);
    form.setStartup(programDir, argc > 1 ? std::string(argv[1]) : std::string());
    closeOnTerminationSignals(&form);

    form.show();
    return application.exec();
}
