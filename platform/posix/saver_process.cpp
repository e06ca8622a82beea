// The main of every POSIX saver program; see saver_process.h.
#include "platform/posix/saver_process.h"

#include <stdlib.h>

#include <scrnsave.h>

#include "platform/policy/exit_status.h"
#include "platform/posix/say.h"
#include "platform/posix/stop_signals.h"

static bool StartSaverProcess()
{
    if (!CatchStopSignals()) {
        Say("cannot take the termination signals");
        return false;
    }
    // The saver writes no files; Mesa would otherwise keep a shader cache in ~/.cache for
    // the handful of fixed-function shaders it draws with. A user's own setting wins.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    if (!RegisterDialogClasses(nullptr)) {
        Say("the saver failed to start");
        return false;
    }
    return true;
}

int RunSaverProgram(int argc, char **argv, const SaverProgram *program)
{
    char error[OPTION_ERROR_SIZE];
    ParseResult parsed = program->readOptions(argc, argv, error);
    if (parsed != PARSE_OK)
        return AnswerOptions(parsed, program->usage(), error);
    if (!StartSaverProcess() || !program->open())
        return EXIT_CANNOT_START;
    int status = program->run();
    if (program->close != nullptr)
        program->close();
    return status & 0xFF;
}
