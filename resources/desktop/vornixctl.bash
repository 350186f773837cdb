# Bash completion for vornixctl: its options and commands, the files each
# command takes, and the MIDI port names that `vornixctl ports` lists.

# The port names of one direction (inputs or outputs) as `vornixctl ports` prints them.
_vornixctl_ports() {
    local direction=$1
    vornixctl ports 2>/dev/null | awk -v want="$direction:" '
        /^[a-z]+:$/ { listing = ($0 == want); next }
        listing && /^  / { sub(/^  /, ""); print }'
}

# Offers the lines of $1 (names with spaces kept whole) that start with the current word.
_vornixctl_offer() {
    local IFS=$'\n'
    COMPREPLY=($(compgen -W "$1" -- "$cur"))
    local i
    for i in "${!COMPREPLY[@]}"; do
        COMPREPLY[i]=$(printf '%q' "${COMPREPLY[i]}")
    done
}

_vornixctl() {
    local cur prev words cword
    _init_completion || return

    local options="--simulator --stdio --port --in --out --data-dir --trace --yes --help --version"
    local commands="sync presets get set select store monitor ports backup restore preset-export
        preset-import ir-convert ir-upload reset firmware show diff library setlist"

    case $prev in
        --port)
            _vornixctl_offer "$(_vornixctl_ports inputs; _vornixctl_ports outputs)"
            return ;;
        --in)
            _vornixctl_offer "$(_vornixctl_ports inputs)"
            return ;;
        --out)
            _vornixctl_offer "$(_vornixctl_ports outputs)"
            return ;;
        --data-dir)
            _filedir -d
            return ;;
        --name)
            return ;;
        --position)
            COMPREPLY=($(compgen -W "7 8" -- "$cur"))
            return ;;
        --format)
            COMPREPLY=($(compgen -W "text markdown csv json" -- "$cur"))
            return ;;
    esac

    # The command and the words after it.
    local i command="" at=0
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --port | --in | --out | --data-dir) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; at=$i; break ;;
        esac
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local argument=$((cword - at))
    case $command in
        backup | restore) _filedir kvb ;;
        preset-export | preset-import) _filedir kvp ;;
        firmware) _filedir bin ;;
        ir-upload)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--position" -- "$cur"))
            else
                _filedir wav
            fi ;;
        ir-convert)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--name" -- "$cur"))
            elif ((argument == 1)); then
                _filedir wav
            else
                _filedir dat
            fi ;;
        show | diff)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--format" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "edit" -- "$cur"))
                _filedir '@(kvp|kvb)'
            fi ;;
        reset)
            ((argument == 1)) && COMPREPLY=($(compgen -W "all presets settings" -- "$cur")) ;;
        library)
            if ((argument == 1)); then
                COMPREPLY=($(compgen -W "add list search show export delete tag fav audition store" -- "$cur"))
            elif [[ ${words[at + 1]} == add ]]; then
                COMPREPLY=($(compgen -W "all edit" -- "$cur"))
                _filedir '@(kvp|kvb)'
            fi ;;
        setlist)
            ((argument == 1)) && COMPREPLY=($(compgen -W "create delete show add remove move write" -- "$cur")) ;;
        ports)
            if ((argument == 1)); then
                COMPREPLY=($(compgen -W "--use" -- "$cur"))
            elif [[ ${words[at + 1]} == --use ]] && ((argument == 2)); then
                _vornixctl_offer "$(printf 'off\n'; _vornixctl_ports inputs)"
            elif [[ ${words[at + 1]} == --use ]] && ((argument == 3)); then
                _vornixctl_offer "$(printf 'off\n'; _vornixctl_ports outputs)"
            fi ;;
    esac
} &&
    complete -F _vornixctl vornixctl
