# Sourced by the benchmark scripts: the 10 rules the command-line benchmarks preview with.
# The auto number rule counts with a 16-bit counter, which 100,000 files would overflow: it
# adds the same number to every name here (increment 0), which costs the same.
# shellcheck disable=SC2034
BENCH_RULES=(
    --rule 'STANDARDREPLACE|file|doc|1||||replace'
    --rule 'STANDARDINSERT|new_|Start|||||insert'
    --rule 'STANDARDAUTOSTARTEND|End|5|0|7|||auto number'
    --rule 'STANDARDLETTERUPPERCASE|0||||||upper case'
    --rule 'STANDARDMISCTRIM|||||||trim'
    --rule 'STANDARDBEFOREAFTER|-x|After|DOC|1|||before after'
    --rule 'STANDARDEXTREPLACE|txt|dat|||||ext replace'
    --rule 'STANDARDMISCREPLACESPACES|||||||spaces'
    --rule 'STANDARDLETTERFIRSTCAP|0||||||first cap'
    --rule 'STANDARDEXTINSERT|v|End|||||ext insert'
)
