-- 社員の給与を一律に上げる (PL/SQL)
DECLARE
	v_rate   NUMBER := 1.03;
	v_count  PLS_INTEGER := 0;
BEGIN
	FOR r IN (SELECT emp_id, salary FROM employees WHERE dept_id = 10) LOOP
		UPDATE employees
		   SET salary = ROUND(r.salary * v_rate)
		 WHERE emp_id = r.emp_id;
		v_count := v_count + 1;
	END LOOP;
	COMMIT;
	/* 結果を表示する */
	DBMS_OUTPUT.PUT_LINE('更新件数: ' || v_count || ' 件');
EXCEPTION
	WHEN OTHERS THEN
		ROLLBACK;
		DBMS_OUTPUT.PUT_LINE('エラー: ' || SQLERRM);
END;
/
