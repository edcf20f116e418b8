// Declarations of index.js, written by hand: test/names.test.mjs checks that
// they name exactly what it exports and what an engine offers.

/** The kinds of refusal. */
export type ErrorKind =
  | 'empty' | 'encoding' | 'character' | 'syntax' | 'zero-denominator' | 'too-large' | 'argument'
  | 'unwritable';

export declare const ERROR_KINDS: readonly ErrorKind[];

/** Why an entry, or an option, has no answer; `message` is in the language asked for. */
export declare class QuotalisError extends Error {
  constructor(message: string, fields: { kind: ErrorKind; position: number; input: string | null });
  readonly name: 'QuotalisError';
  /** One of ERROR_KINDS. */
  kind: ErrorKind;
  /** The character at fault, 1 for the first; 0 when the fault is in no one character. */
  position: number;
  /** The entry refused, or null when an option is at fault. */
  input: string | null;
}

/** The languages of refusals and of the working. */
export type Language = 'en' | 'ja';

/** The notations an answer may be written in (quotalis-cli --notation). */
export type Notation =
  | 'parentheses' | 'parens' | 'brackets' | 'quotes' | 'r' | 'dots' | 'overline' | 'ellipsis' | 'latex' | 'keypad'
  | (string & {});

export interface LanguageOption {
  /** The language of refusals and of the working; 'en' when left out. */
  language?: Language;
}

export interface BaseOptions {
  /** The base, 2 to 36, of the entry's digits and of an answer that is an expansion; 10 when left out. */
  base?: number | string | null;
  /** The answer is the entry's value written as an expansion in this base, 2 to 36. */
  toBase?: number | string | null;
}

export interface AnswerOptions extends LanguageOption, BaseOptions {
  /** K: how many trailing digits of a plain decimal recur ("1", 1; null or 0: none). */
  period?: number | string | null;
  /** The notation the answer's decimals are written in. */
  notation?: Notation | null;
  /** Also give the answer as a mixed number. */
  mixed?: boolean;
  /** At most this many digits of a period or a non-recurring part; 'all': every one. */
  maxDigits?: number | 'all' | null;
}

export interface BigIntOption {
  /** The whole numbers as BigInt rather than strings. */
  bigint?: boolean;
}

/** The whole numbers of an answer for the options O: strings, or BigInt when asked for. */
export type WholeOf<O> = O extends { bigint: true } ? bigint
  : O extends { bigint: false } ? string
  : O extends { bigint: boolean } ? string | bigint
  : string;

export interface Answer<N = string> {
  /** The entry as given. */
  input: string;
  /** How the entry was written: a notation's name, 'fraction', 'mixed', ... */
  reading: string;
  /** The value as a decimal in the notation asked for; a cut one says so after it. */
  decimal: string;
  /** A decimal's fraction as read, before it is reduced ("15/90"). */
  unreduced?: string;
  /** The value in lowest terms ("1/6"). */
  fraction: string;
  numerator: N;
  denominator: N;
  /** With `mixed`: the value as a mixed number ("1 1/2"). */
  mixed?: string;
  /** How many digits come after the point before the period. */
  nonRecurring: N;
  /** How many digits recur (0 for a decimal that ends); null when more than `periodAbove`. */
  period: N | null;
  periodAbove?: N;
  /** The base of the expansions, when it is not 10. */
  base?: number;
  /** Whether the decimal was cut at maxDigits: it then says so, and `period` is its length all the same. */
  cut: boolean;
}

export interface RoundedAnswer<N = string> {
  input: string;
  reading: string;
  /** With `mixed`: the fraction as a mixed number. */
  mixed?: string;
  /** The interval the display stands for, as decimals. */
  low: string;
  high: string;
  fraction: string;
  numerator: N;
  denominator: N;
}

export interface ExplainOptions extends AnswerOptions {
  /** 'text' (the default): lines joined by '\n'; 'latex'; 'mathml'. */
  format?: 'text' | 'latex' | 'mathml';
  /** The entry is a rounded display. */
  rounded?: boolean;
}

export interface CheckedLine {
  text: string;
  verdict: 'right' | 'wrong' | 'unreadable' | 'not-lowest' | 'passed-over';
  reason: string;
}

export interface CheckResult {
  entry: string;
  /** The entry's value in lowest terms. */
  value: string;
  correct: boolean;
  /** The first wrong or unreadable line, 1 for the first; null when none. */
  firstWrong: number | null;
  slip: string | null;
  /** The pupil's answer as written, or null. */
  answer: string | null;
  outcome: 'right' | 'not-lowest' | 'wrong' | 'slip-cancelled' | 'no-answer';
  /** The closing sentence, in the language asked for. */
  closing: string;
  lines: CheckedLine[];
}

/** The kinds of exercise a sheet draws (quotalis-cli --kind). */
export type ExerciseKind = 'pure' | 'pre-period' | 'whole' | 'to-decimal' | 'mixed-number' | 'rounded';

export interface SheetOptions extends LanguageOption {
  /** The seed: the same seed, kinds, count and difficulty give the same sheet; one below 1,000,000 is chosen when left out, and printed on the sheet. */
  seed?: number | string;
  /** How many exercises, 1 to 200. */
  count?: number | string;
  /** The kinds drawn, in a balanced mix; every kind when left out. */
  kinds?: readonly ExerciseKind[];
  /** 1, 2 or 3. */
  difficulty?: number | string;
  /** The answer key holds each exercise's working. */
  explain?: boolean;
}

export interface Exercise {
  number: number;
  kind: ExerciseKind;
  /** As the program reads it: "0.1(6)", "1/7", ... */
  question: string;
  /** As quotalis-cli writes it. */
  answer: string;
  /** The value in lowest terms. */
  fraction: string;
}

export interface Sheet {
  /** The sheet as quotalis-cli --sheet --json writes it. */
  sheet: { seed: number; exercises: Exercise[] };
  /** The LaTeX document quotalis-cli --sheet writes, for lualatex. */
  latex: string;
}

export interface StoredOptions extends LanguageOption {
  /** 'binary64' (a double, the default) or 'binary32' (a float). */
  format?: 'binary64' | 'binary32';
  /** The notation of storedErrorDecimal. */
  notation?: Notation | null;
}

/** The IEEE 754 number nearest a decimal (round to nearest, ties to even). */
export interface Stored {
  input: string;
  reading: string;
  format: 'binary64' | 'binary32';
  class: 'normal' | 'subnormal' | 'zero' | 'infinity';
  /** The stored value in lowest terms ("3602879701896397/36028797018963968"); "infinity", "-infinity", "-0". */
  stored: string;
  /** Exactly, as a decimal that ends; null for an infinity. */
  storedDecimal: string | null;
  /** Exactly, in base 2; null for an infinity. */
  storedBinary: string | null;
  /** Stored value minus the entry, in lowest terms; null for an infinity. */
  storedError: string | null;
  storedErrorDecimal: string | null;
  sign: number;
  /** The biased exponent as stored. */
  exponentField: number;
  exponent: number;
  /** The significand field in hexadecimal. */
  significand: string;
  /** The whole number in hexadecimal ("0x3FB999999999999A"). */
  bits: string;
  /** The entry's value in lowest terms. */
  fraction: string;
}

export interface Engine {
  /** quotalis-cli --version's number. */
  readonly version: string;
  /** A decimal in any notation, or a mixed number, to its fraction in lowest terms. */
  toFraction<O extends AnswerOptions & BigIntOption = {}>(entry: string, options?: O): Answer<WholeOf<O>>;
  /** A fraction to its decimal, the period marked in the notation asked for. */
  toDecimal<O extends AnswerOptions & BigIntOption = {}>(entry: string, options?: O): Answer<WholeOf<O>>;
  /** The simplest fraction a display rounded at its last digit may stand for. */
  fromRounded<O extends AnswerOptions & BigIntOption = {}>(display: string, options?: O): RoundedAnswer<WholeOf<O>>;
  /** The working, step by step, in the format asked for. */
  explain(entry: string, options?: ExplainOptions): string;
  /** A pupil's working checked line by line against the entry's value. */
  check(entry: string, working: string | readonly string[], options?: LanguageOption): CheckResult;
  /** The binary64 or binary32 a computer stores for a decimal. */
  stored(entry: string, options?: StoredOptions): Stored;
  /** An exercise sheet with its answer key. */
  sheet(options?: SheetOptions): Sheet;
}

/** The engine, made once and shared; a new one after one has stopped. */
export declare function load(): Promise<Engine>;
