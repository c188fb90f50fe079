# Sourced by the scripts a person runs: answers -h or --help with the calling script's
# opening comment (its purpose and usage) and exits, before anything is installed or built.
case "${1:-}" in
  -h | --help)
    sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
    exit 0
    ;;
esac
