# bash completion for cdr55p4w-cli
_cdr55p4w_cli() {
  local cur prev command word
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in
      list | version | read | write | factory | provision | swipe-test) command=$word ;;
    esac
  done

  case $prev in
    --device)
      COMPREPLY=($(compgen -W "$(compgen -G '/dev/hidraw*')" -- "$cur"))
      return
      ;;
    -o | --output)
      COMPREPLY=($(compgen -f -- "$cur"))
      return
      ;;
  esac

  local options
  case $command in
    '') options="list version read write factory provision swipe-test --simulate --json --version --help" ;;
    list) options="--json --help" ;;
    version) options="--device --json --help" ;;
    read) options="--device -o --output --json --help" ;;
    write) options="--device --all --force --json --help" ;;
    factory) options="--device --all --json --help" ;;
    provision) options="--force --json --help" ;;
    swipe-test) options="--help" ;;
  esac
  if [[ $cur == -* || $command == '' || $command == list || $command == version || $command == factory ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  else
    COMPREPLY=($(compgen -W "$options" -- "$cur") $(compgen -f -X '!*.@(cfg|json)' -- "$cur") $(compgen -d -- "$cur"))
  fi
}
complete -F _cdr55p4w_cli cdr55p4w-cli
