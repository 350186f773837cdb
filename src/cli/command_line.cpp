#include "cli/command_line.hpp"

namespace vornix::cli {

const char* usageText() {
    return "Usage: vornixctl [TRANSPORT] [--data-dir DIR] [--trace[=decoded]] [--yes] "
           "[--no-backup] COMMAND [ARGS]\n"
           "\n"
           "The Vornix bass preamp pedal on the command line.\n"
           "\n"
           "Transports (default: the MIDI ports stored in settings.ini):\n"
           "  --simulator          the built-in simulated pedal\n"
           "  --stdio              the device is another program: one message per line of hex\n"
           "                       on stdout (sent) and stdin (received)\n"
           "  --port NAME          a MIDI port used for both directions\n"
           "  --in NAME            the MIDI input port (with --out)\n"
           "  --out NAME           the MIDI output port (with --in)\n"
           "\n"
           "Options:\n"
           "  --data-dir DIR       the data folder (settings, cache)\n"
           "  --trace              print every SysEx message on stderr (\"> \" sent, \"< \"\n"
           "                       received)\n"
           "  --trace=decoded      the same with the time in seconds and each message in\n"
           "                       words: \"12.345 > request preset 12  F0 00 51 ...\"\n"
           "  --yes                answer yes to the questions of restore and reset\n"
           "  --no-backup          restore, reset and firmware take no backup of the pedal\n"
           "                       first\n"
           "  --help               print this text and exit\n"
           "  --version            print the program's version and exit\n"
           "\n"
           "Commands:\n"
           "  sync                    read every changed preset into the cache and list them\n"
           "  presets                 list the cached presets (no device needed)\n"
           "  get INDEX               print a parameter of the current sound\n"
           "  set INDEX VALUE         change a parameter on the device\n"
           "  select N | store N      recall preset N, or store the current sound into N\n"
           "  monitor                 print every message both ways, decoded, until\n"
           "                          interrupted (with --trace: the plain hex lines)\n"
           "  ports                   list the MIDI ports of this computer\n"
           "  ports --use IN OUT      store the MIDI input and output (a port's name, the\n"
           "                          start of one, or off) in settings.ini, for the editor\n"
           "                          and for commands without a transport option\n"
           "  ports --detect [--use]  ask every MIDI output for a pedal and print those that\n"
           "                          answer; --use stores the one that did\n"
           "  backup FILE.kvb         back up every preset and the user IRs they use\n"
           "  restore FILE.kvb        restore a backup (asks first unless --yes)\n"
           "  preset-export FILE.kvp  save the current preset with its user IRs\n"
           "  preset-import FILE.kvp  load a preset file into the current preset\n"
           "  ir-convert IN.wav OUT.dat [--name NAME]   write the IR slot file of a WAV\n"
           "  ir-upload IN.wav --position 7|8           make a WAV the current preset's user IR\n"
           "  reset all|presets|settings                factory reset (asks first unless --yes)\n"
           "  firmware FILE.bin       update the device's firmware\n"
           "  show SOURCE [--format text|markdown|csv|json]\n"
           "                          print a preset: its name, every parameter in its unit,\n"
           "                          the user IRs\n"
           "  diff SOURCE SOURCE [--format text|markdown|csv|json]\n"
           "                          print the parameters in which two presets differ; exits\n"
           "                          0 when they are the same, 1 when they differ\n"
           "  A SOURCE is a slot number (0-127, from the cache after a sync), edit (the\n"
           "  device's current sound), FILE.kvp, or FILE.kvb:SLOT; files need no device\n"
           "  history [SLOT]          list the kept versions of every slot, or of one (no\n"
           "                          device needed), newest first: SLOT INDEX TIME REASON NAME\n"
           "  history put-back SLOT [INDEX]   write a kept version (INDEX as listed, 0 the\n"
           "                          newest) back into its slot and read it back\n"
           "  backups                 list the backups in the data folder's Backups/\n"
           "\n"
           "Before restore, reset and firmware the pedal is backed up into the data folder's\n"
           "Backups/ (YYYYMMDD-HHMMSS-SERIAL.kvb, UTC), unless a backup of it younger than\n"
           "10 minutes is there; a backup that fails stops the command. Times are UTC.\n"
           "\n"
           "The preset library (library.sqlite3 in the data folder; IDs as listed):\n"
           "  library add SOURCE...   add presets: a slot number 0-127, all (the 128 slots),\n"
           "                          edit (the current sound), FILE.kvp, a folder of preset\n"
           "                          files (searched through), FILE.kvb (its 128 slots);\n"
           "                          prints each ID and \"duplicate of ID\" for a sound the\n"
           "                          library holds already\n"
           "  library list [--format json]           every entry\n"
           "  library search QUERY... [--format json] words in names, tags and notes, and\n"
           "                          amp:NAME ambience:NAME ir:NAME fav\n"
           "  library show ID | export ID FILE.kvp | delete ID\n"
           "  library tag ID TAG...   add tags (-TAG takes one away)\n"
           "  library fav ID [off]    mark a favourite\n"
           "  setlist [create|delete|show] NAME      a setlist; show --from SLOT numbers the\n"
           "                          songs as the programs they would be from that slot on\n"
           "  setlist add NAME ID... [--note TEXT]   append entries as songs\n"
           "  setlist remove NAME N | move NAME N M  songs by their place, 1 first\n"
           "  setlist write NAME --from SLOT         song 1 into SLOT (0-127), song 2 into the\n"
           "                          next, ...: lists the slots that change, backs the pedal\n"
           "                          up (--no-backup: not), writes only the slots that differ\n"
           "                          with their user IRs and reads each back to verify it\n"
           "\n"
           "VORNIX_DATA_DIR is the default for --data-dir.\n"
           "\n"
           "Exit codes: 0 done; 1 failed (the reason is printed); 2 no answer from the device\n"
           "(10 s of silence); 3 the device's firmware version is not one this program works\n"
           "with (update it with 'firmware', which works with any version); 4 (show, diff) a\n"
           "SOURCE cannot be read\n";
}

std::string versionText() {
    return "vornixctl " VORNIX_VERSION "\n";
}

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options options;
    auto fail = [&](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };
    auto chooseTransport = [&](Transport transport) {
        if (options.transport != Transport::Settings && options.transport != transport)
            return false;
        options.transport = transport;
        return true;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) return false;
            out = arguments[++i];
            return true;
        };
        if (const auto trace = host::traceOption(a)) {
            options.trace = *trace;
        } else if (a == "--yes" || a == "-y") {
            options.yes = true;
        } else if (a == "--no-backup") {
            options.noBackup = true;
        } else if (!options.command.empty()) {
            options.args.push_back(a);
        } else if (a == "--help" || a == "-h") {
            parsed.help = true;
            return parsed;
        } else if (a == "--version") {
            parsed.version = true;
            return parsed;
        } else if (a == "--simulator") {
            if (!chooseTransport(Transport::Simulator)) return fail("choose one transport");
        } else if (a == "--stdio") {
            if (!chooseTransport(Transport::Stdio)) return fail("choose one transport");
        } else if (a == "--port") {
            if (!chooseTransport(Transport::Ports) || !value(options.inPort))
                return fail("--port needs a port name");
            options.outPort = options.inPort;
        } else if (a == "--in") {
            if (!chooseTransport(Transport::Ports) || !value(options.inPort))
                return fail("--in needs a port name");
        } else if (a == "--out") {
            if (!chooseTransport(Transport::Ports) || !value(options.outPort))
                return fail("--out needs a port name");
        } else if (a == "--data-dir") {
            if (!value(options.dataDir)) return fail("--data-dir needs a folder");
        } else if (a.starts_with("-")) {
            return fail("unknown option " + a);
        } else {
            options.command = a;
        }
    }
    if (options.command.empty()) return fail("no command given");
    if (options.transport == Transport::Ports &&
        (options.inPort.empty() || options.outPort.empty()))
        return fail("--in and --out go together");
    parsed.options = std::move(options);
    return parsed;
}

}  // namespace vornix::cli
