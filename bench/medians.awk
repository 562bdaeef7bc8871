# The median of each "name: number unit" figure of a bench's output, in the
# order the bench prints them: one "name<TAB>median<TAB>unit" line each.
{ split($2, v, " "); key = $1; if (!(key in n)) order[++keys] = key; x[key, ++n[key]] = v[1]; unit[key] = v[2] }
END {
  for (k = 1; k <= keys; k++) {
    key = order[k]; m = n[key]
    for (i = 1; i <= m; i++) s[i] = x[key, i]
    for (i = 2; i <= m; i++) for (j = i; j > 1 && s[j - 1] + 0 > s[j] + 0; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
    med = (m % 2) ? s[(m + 1) / 2] : (s[m / 2] + s[m / 2 + 1]) / 2
    printf "%s\t%s\t%s\n", key, med, unit[key]
  }
}
