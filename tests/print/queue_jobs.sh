# The jobs of the project's PDF queue, for the print tests to source after
#   read -r queue out < <(tools/print-queue.sh)
# The queue may be shared with other runs: a job is known by its number and its title.

# The number of the queue's last job, or nothing.
last_job() {
  lpstat -W all -o "$queue" 2>/dev/null | sed -n "s/^$queue-\([0-9]*\) .*/\1/p" | sort -n | tail -1
}

# The PDF of a finished job after job $1 whose title holds $2; nothing until there is one.
printed_pdf() {
  local job pdf
  for job in $(lpstat -W all -o "$queue" 2>/dev/null | sed -n "s/^$queue-\([0-9]*\) .*/\1/p"); do
    [ "$job" -gt "$1" ] || continue
    lpstat -o "$queue" 2>/dev/null | grep -q "^$queue-$job " && continue
    for pdf in "$out"/*-job_"$job".pdf; do
      [ -f "$pdf" ] && pdfinfo "$pdf" 2>/dev/null | grep -q "^Title:.*$2" && echo "$pdf"
    done
  done
}
