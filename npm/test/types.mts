// The declarations as a TypeScript program meets them (npm/test.sh checks
// this with tsc --strict beside the README's example): what each method
// gives, BigInt when asked for, and what it refuses to compile.
import { load, QuotalisError, ERROR_KINDS } from 'quotalis';
import type { Answer, CheckResult, Engine, ErrorKind, RoundedAnswer } from 'quotalis';

const q: Engine = await load();

const a: Answer<string> = q.toFraction('0.(3)');
const n: string = q.toFraction('0.(3)', { period: 1, notation: 'dots', maxDigits: 'all' }).numerator;
const big: bigint = q.toDecimal('1/7', { bigint: true }).denominator;
const period: bigint | null = q.toDecimal('1/7', { bigint: true }).period;
const r: RoundedAnswer<string> = q.fromRounded('3.14159', { language: 'ja' });
const latex: string = q.explain('0.1(6)', { format: 'latex', language: 'ja' });
const c: CheckResult = q.check('0.1(6)', ['x = 1/6']);
const line: 'right' | 'wrong' | 'unreadable' | 'not-lowest' | 'passed-over' = c.lines[0].verdict;
const kinds: readonly ErrorKind[] = ERROR_KINDS;
const cut: boolean = a.cut;

// @ts-expect-error the numbers are strings unless BigInt is asked for
const notBig: bigint = q.toFraction('0.(3)').numerator;
// @ts-expect-error no such format
q.explain('1/7', { format: 'pdf' });
// @ts-expect-error no such language
q.toFraction('1/7', { language: 'fr' });
// @ts-expect-error the entry is a string
q.toDecimal(1 / 7);

try {
  q.toFraction('0.1(6');
} catch (e) {
  if (e instanceof QuotalisError) {
    const kind: ErrorKind = e.kind;
    const position: number = e.position;
    const input: string | null = e.input;
    console.log(kind, position, input, e.message);
  }
}
console.log(n, big, period, r, latex, line, kinds, cut, notBig);
