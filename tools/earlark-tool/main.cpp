// earlark-tool: the command-line companion of Earlark, for batch work and for testing the
// core against real files. Output formats are stable once published.
#include "ToolCommands.h"

#include <cstdio>
#include <iostream>
#include <map>

namespace {

const char* kUsage = "usage: earlark-tool <command> ...\n"
                     "  study dump FILE\n"
                     "  study resave IN OUT\n"
                     "  study new OUT [--audio PATH] [--data-size N] [--sentences FILE.tsv] [--volume V]\n"
                     "  wav probe FILE\n"
                     "  wav level FILE POS LEN [--centre C]\n"
                     "  wav quiet FILE POS WINDOW\n"
                     "  render FILE START END INTERVAL RATE OUT.wav\n"
                     "  play FILE [START END] [--rate N] [--interval BYTES]\n"
                     "  wavconvert IN OUT.wav\n"
                     "  decode IN OUT.wav | decode --info IN\n"
                     "  convert IN OUT.wav\n"
                     "  session STUDY.ekd [--save OUT.ekd] < SCRIPT\n"
                     "  check --original TEXT --transcription TEXT [--case] [--punct]\n"
                     "  mask --original TEXT [--hint N] [--plays N] [--charset N]\n"
                     "  dict build OUT.idx (--wordnet DIR | --dictd BASE)\n"
                     "  dict lookup IDX WORD [--exact]\n"
                     "  dict step IDX WORD (--next|--prev) [N]\n"
                     "  partition WAV [--duration Q] [--level L]\n"
                     "  script export STUDY OUT [--original] [--wkf] [--date] [--unicode]\n"
                     "  script import STUDY IN.txt OUT.ekd [--original] [--no-delimiter]\n"
                     "  subtitles import STUDY IN OUT.ekd [--original|--transcription]\n"
                     "  subtitles export STUDY OUT (--srt|--vtt|--lrc) [--original]\n"
                     "  export-mp3 STUDY OUT.mp3 [--format N] [--range A-B] [--pattern P]\n"
                     "  export-mp3 STUDY DIR --each-sentence [--format N] [--range A-B]\n"
                     "  export-mp3 STUDY OUT.mp3 --current ROW [--format N]\n";

} // namespace

int ToolError(const std::string& message) {
    std::cerr << "earlark-tool: " << message << '\n';
    return 1;
}

int main(int argc, char** argv) {
    const std::map<std::string, int (*)(const ToolArgs&)> commands{
        {"study", RunStudyCommand},           {"wav", RunWavCommand},
        {"render", RunRenderCommand},         {"play", RunPlayCommand},
        {"wavconvert", RunWavConvertCommand}, {"decode", RunDecodeCommand},
        {"convert", RunConvertCommand},       {"session", RunSessionCommand},
        {"check", RunCheckCommand},
        {"mask", RunMaskCommand},
        {"dict", RunDictCommand},
        {"partition", RunPartitionCommand},   {"script", RunScriptCommand},
        {"subtitles", RunSubtitlesCommand},
        {"export-mp3", RunExportMp3Command},
    };
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    auto it = commands.find(argv[1]);
    if (it == commands.end()) {
        std::cerr << kUsage;
        return 2;
    }
    ToolArgs args(argv + 2, argv + argc);
    return it->second(args);
}
